// The frame's own child window: class registration shared by all frames of
// the module, creation and destruction, and the window procedure that turns
// messages into calls on the view tree. GUI thread: the window's thread.
#include <cstring>

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
