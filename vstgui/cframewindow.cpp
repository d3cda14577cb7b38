// The frame's own child window: class registration shared by all frames of
// the module, creation and destruction, and the window procedure that turns
// messages into calls on the view tree. GUI thread: the window's thread.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "shell/platform/module.h"
#include "vstgui/cbitmap.h"
#include "vstgui/cdrawcontext.h"
#include "vstgui/cframe.h"
#include "vstgui/platform/gdiplusapi.h"

namespace VSTGUI {

namespace {

// Process-wide, shared by every frame of the module; GUI thread.
wchar_t className[64];
int32_t frameCount = 0;
DWORD majorVersion = 0;

HINSTANCE moduleInstance() { return static_cast<HINSTANCE>(platformModuleHandle()); }

CInputState buttonsFromMessage(WPARAM keys) {
    CInputState state = 0;
    if (keys & MK_LBUTTON) state |= kButtonLeft;
    if (keys & MK_MBUTTON) state |= kButtonMiddle;
    if (keys & MK_RBUTTON) state |= kButtonRight;
    if (keys & MK_SHIFT) state |= kModShift;
    if (keys & MK_CONTROL) state |= kModControl;
    if (keys & MK_XBUTTON1) state |= kButtonX1;
    if (keys & MK_XBUTTON2) state |= kButtonX2;
    if (GetKeyState(VK_MENU) < 0) state |= kModAlt;
    return state;
}

CPosition clientPoint(LPARAM lParam) {
    return CPosition(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

struct CFrameWindow {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void paint(CFrame* frame, HWND window);
};

void CFrame::createWindow() {
    OSVERSIONINFOEXW version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
    majorVersion = version.dwMajorVersion;
    if (!parentWindow) return;

    HINSTANCE module = moduleInstance();
    if (++frameCount == 1) {
        wsprintfW(className, L"Plugin%p", static_cast<void*>(module));
        WNDCLASSW windowClass = {};
        windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
        windowClass.lpfnWndProc = CFrameWindow::procedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
        swapMouseButtons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
    }
    window = CreateWindowExW(majorVersion < 6 ? 0 : WS_EX_COMPOSITED, className, L"Window",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             platform::toInt(boundsRect.width()),
                             platform::toInt(boundsRect.height()), parentWindow, nullptr, module,
                             nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CFrame::destroyWindow() {
    if (!window) return;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
    if (--frameCount == 0) UnregisterClassW(className, moduleInstance());
}

COffscreenContext* CFrame::frameBackBuffer() {
    if (majorVersion > 5) return nullptr;
    if (!backBuffer)
        backBuffer = new COffscreenContext(this, platform::toInt(boundsRect.width()),
                                           platform::toInt(boundsRect.height()));
    return backBuffer;
}

bool CFrame::moveFrame(double x, double y) {
    (void)x, (void)y;
    return false;
}

HWND__* CFrame::findOuterWindow() const {
    if (!window) return nullptr;
    RECT own;
    GetWindowRect(window, &own);
    HWND current = window;
    for (;;) {
        HWND parent = GetParent(current);
        if ((GetWindowLongW(current, GWL_STYLE) & WS_CAPTION) || !parent) return current;
        RECT outer;
        GetWindowRect(parent, &outer);
        if (std::abs((outer.right - outer.left) - (own.right - own.left)) > 60 ||
            std::abs((outer.bottom - outer.top) - (own.bottom - own.top)) > 60)
            return current;
        current = parent;
    }
}

bool CFrame::getOuterPosition(double& x, double& y) const {
    if (!isWindowOpen()) return false;
    HWND outer = findOuterWindow();
    if (!outer) return false;
    RECT r;
    GetWindowRect(outer, &r);
    POINT corner = {r.left, r.top};
    MapWindowPoints(nullptr, GetParent(outer), &corner, 1);
    x = corner.x;
    y = corner.y;
    return true;
}

bool CFrame::getHostRect(CRectangle& rect) const {
    if (!isWindowOpen() || !window) return false;
    HWND host = GetParent(window);
    HWND outer = GetParent(GetParent(host));
    RECT r = {0, 0, 0, 0};
    GetWindowRect(host, &r);
    POINT corner = {r.left, r.top};
    MapWindowPoints(nullptr, outer, &corner, 1);
    rect = CRectangle(corner.x, corner.y, corner.x + (r.right - r.left),
                      corner.y + (r.bottom - r.top));
    return true;
}

bool CFrame::getHostRect(CRectangle* rect) const { return rect && getHostRect(*rect); }

bool CFrame::resizeFrame(double width, double height) {
    if (!isWindowOpen()) return false;
    if (width == boundsRect.width() && height == boundsRect.height()) return false;
    CRectangle newBounds(boundsRect.left, boundsRect.top, boundsRect.left + width,
                         boundsRect.top + height);
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;

    if (window) {
        const int frameBorder = 2 * GetSystemMetrics(SM_CYDLGFRAME);
        const int w = platform::toInt(width), h = platform::toInt(height);
        int dx = 0, dy = 0;
        HWND current = window;
        // Grow the enclosing windows until the growth matches a dialog
        // border, stopping at a multiple-document client.
        while (dx != frameBorder) {
            HWND parent = GetParent(current);
            if (!parent) break;
            wchar_t name[1024] = {};
            GetClassNameW(parent, name, 1024);
            if (std::wcscmp(name, L"MDIClient") == 0) break;
            RECT inner, outer;
            GetWindowRect(current, &inner);
            GetWindowRect(parent, &outer);
            SetWindowPos(current, nullptr, 0, 0, w + dx, h + dy, SWP_NOMOVE);
            dx += (outer.right - outer.left) - (inner.right - inner.left);
            dy += (outer.bottom - outer.top) - (inner.bottom - inner.top);
            if (dx > 80 || dy > 80) return true;
            if (dx < 0) dx = 0;
            if (dy < 0) dy = 0;
            current = parent;
        }
        SetWindowPos(current, nullptr, 0, 0, w + dx, h + dy, SWP_NOMOVE);
    }
    setBounds(newBounds, true);
    return true;
}

void CFrame::setCursorShape(int32_t shape) {
    if (!cursorSaved) {
        savedCursor = GetCursor();
        cursorSaved = true;
    }
    static const WORD ids[] = {0, 32514, 32644, 32645, 32646, 32643, 32642, 0, 32648, 32649};
    WORD id = shape >= 0 && shape < int32_t(sizeof ids / sizeof ids[0]) ? ids[shape] : 0;
    SetCursor(id ? LoadCursorW(nullptr, MAKEINTRESOURCEW(id)) : static_cast<HCURSOR>(savedCursor));
}

void CFrameWindow::paint(CFrame* frame, HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetUpdateRgn(window, region, FALSE) != NULLREGION) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        CRectangle update(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
        COffscreenContext* backBuffer = frame->frameBackBuffer();
        CDrawContext* target = backBuffer;
        if (!target) target = new CDrawContext(frame, dc, window);
        frame->paintArea(target, update);
        if (backBuffer) {
            CDrawContext screen(frame, dc, window);
            backBuffer->getBitmap()->drawBitmap(&screen, update, CPosition(update.left, update.top));
        } else {
            target->release();
        }
        EndPaint(window, &ps);
    }
    DeleteObject(region);
}

LRESULT CALLBACK CFrameWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CFrame* frame = reinterpret_cast<CFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            frame->setWindowOpen(false);
            frame->parentWindow = nullptr;
            break;
        case WM_PAINT:
            paint(frame, window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            frame->handleMouseMove(clientPoint(lParam), buttonsFromMessage(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDBLCLK: {
            CInputState state = buttonsFromMessage(wParam);
            if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
                message == WM_MBUTTONDBLCLK || message == WM_XBUTTONDBLCLK)
                state |= kButtonDouble;
            if (frame->handleMouseDown(clientPoint(lParam), state) == kMouseHandled)
                SetCapture(window);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP:
            frame->handleMouseUp(clientPoint(lParam), buttonsFromMessage(wParam));
            ReleaseCapture();
            return 0;
        case WM_MOUSEWHEEL: {
            CInputState state = 0;
            if (GetKeyState(VK_SHIFT) < 0) state |= kModShift;
            if (GetKeyState(VK_CONTROL) < 0) state |= kModControl;
            if (GetKeyState(VK_MENU) < 0) state |= kModAlt;
            RECT r = {0, 0, 0, 0};
            GetWindowRect(window, &r);
            CPosition where = clientPoint(lParam);
            where.offset(-r.left, -r.top);
            // Whole notches only: a smaller delta gives 0.
            float distance = static_cast<float>(static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA);
            frame->handleWheel(where, distance, state);
            break;
        }
        case WM_MOUSELEAVE: {
            CPosition where;
            frame->getMouseLocation(where);
            frame->handleMouseLeave(where, frame->getMouseButtons());
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace VSTGUI
