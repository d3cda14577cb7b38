#include "vstgui/cdrawcontext.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "vstgui/cbitmap.h"
#include "vstgui/frameaccess.h"
#include "vstgui/platform/gdiplusapi.h"

namespace VSTGUI {

using namespace platform;

namespace {

constexpr CRgbaColour kOpaqueWhite(255, 255, 255, 255);
constexpr CRgbaColour kOpaqueBlack(0, 0, 0, 255);
const CRectangle kNoFrameClip(0, 0, 1000, 1000);

// Each start of GDI+ begins a new run; objects made in an ended run died
// with it and must not be handed back to GDI+. GUI thread only.
uint32_t gdiplusRun = 0;
bool gdiplusRunning = false;

CFontDesc systemFont("Arial", 12);
CFontDesc veryBigFont("Arial", 18);
CFontDesc bigFont("Arial", 14);
CFontDesc normalFont("Arial", 12);
CFontDesc smallFont("Arial", 11);
CFontDesc smallerFont("Arial", 10);
CFontDesc verySmallFont("Arial", 9);
CFontDesc symbolFont("Symbol", 13);
CFontDesc* const predefinedFonts[] = {&systemFont, &bigFont,       &veryBigFont,   &normalFont,
                                      &smallFont,  &smallerFont, &verySmallFont, &symbolFont};

CRectangle defaultClip(CFrame* frame) { return frame ? frameBounds(frame) : kNoFrameClip; }

// Inside the square from 2 pixels before to less than 2 pixels after the
// start on both axes: the pointer has not moved far enough to count.
bool nearStart(const CPosition& start, const CPosition& now) {
    return now.x >= start.x - 2 && now.x < start.x + 2 && now.y >= start.y - 2 &&
           now.y < start.y + 2;
}

}  // namespace

CFontDesc* const kFontSystem = &systemFont;
CFontDesc* const kFontVeryBig = &veryBigFont;
CFontDesc* const kFontBig = &bigFont;
CFontDesc* const kFontNormal = &normalFont;
CFontDesc* const kFontSmall = &smallFont;
CFontDesc* const kFontSmaller = &smallerFont;
CFontDesc* const kFontVerySmall = &verySmallFont;
CFontDesc* const kFontSymbol = &symbolFont;

GDIPlusGlobals* GdiplusHolder = nullptr;
bool swapMouseButtons = false;

namespace platform {

std::wstring widen(const char* text) {
    if (!text || !*text) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], n) != n)
        return std::wstring();
    wide.resize(static_cast<size_t>(n - 1));  // the terminator
    return wide;
}

}  // namespace platform

// --- GDI+ lifetime ---

GDIPlusGlobals::GDIPlusGlobals() {
    GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR t = 0;
    startStatus = GdiplusStartup(&t, &input, nullptr);
    token = t;
    if (startStatus == 0) {
        ++gdiplusRun;
        gdiplusRunning = true;
    }
}

GDIPlusGlobals::~GDIPlusGlobals() {
    for (CFontDesc* font : predefinedFonts) font->dropPlatformFont();
    if (startStatus == 0) {
        GdiplusShutdown(token);
        gdiplusRunning = false;
    }
}

void enterGdiplus() {
    if (GdiplusHolder)
        GdiplusHolder->retain();
    else
        GdiplusHolder = new GDIPlusGlobals();
}

void leaveGdiplus() {
    GDIPlusGlobals* holder = GdiplusHolder;
    if (!holder) return;
    if (holder->getNbReference() == 1) GdiplusHolder = nullptr;
    holder->release();
}

CInputState currentButtons() {
    auto down = [](int key) { return GetAsyncKeyState(key) < 0; };
    CInputState state = 0;
    if (down(VK_LBUTTON)) state |= swapMouseButtons ? kButtonRight : kButtonLeft;
    if (down(VK_RBUTTON)) state |= swapMouseButtons ? kButtonLeft : kButtonRight;
    if (down(VK_MBUTTON)) state |= kButtonMiddle;
    if (down(VK_SHIFT)) state |= kModShift;
    if (down(VK_CONTROL)) state |= kModControl;
    if (down(VK_MENU)) state |= kModAlt;
    return state;
}

// --- Font descriptions ---

CFontDesc::CFontDesc(const char* faceName, double size, int32_t style)
    : size(size), style(style) {
    setFaceName(faceName);
}

CFontDesc::CFontDesc(const CFontDesc& other)
    : CBaseObject(), size(other.size), style(other.style) {
    setFaceName(other.faceName);
}

CFontDesc& CFontDesc::operator=(const CFontDesc& other) {
    if (this != &other) {
        setFaceName(other.faceName);
        size = other.size;
        style = other.style;
        dropPlatformFont();
    }
    return *this;
}

CFontDesc::~CFontDesc() {
    dropPlatformFont();
    delete[] faceName;
}

void CFontDesc::setFaceName(const char* name) {
    if (name == faceName || (name && faceName && std::strcmp(name, faceName) == 0)) return;
    delete[] faceName;
    faceName = nullptr;
    if (name) {
        size_t n = std::strlen(name);
        faceName = new char[n + 1];
        std::memcpy(faceName, name, n + 1);
    }
    dropPlatformFont();
}

void CFontDesc::setFontSize(double newSize) {
    size = newSize;
    dropPlatformFont();
}

void CFontDesc::setFontStyle(int32_t newStyle) {
    style = newStyle;
    dropPlatformFont();
}

bool CFontDesc::operator==(const CFontDesc& other) const {
    bool sameFace = faceName == other.faceName ||
                    (faceName && other.faceName && std::strcmp(faceName, other.faceName) == 0);
    return sameFace && size == other.size && style == other.style;
}

Gdiplus::GpFont* CFontDesc::platformFont() {
    if (fontMade && fontRun == gdiplusRun && gdiplusRunning) return font.handle;
    // A font of an ended GDI+ run is gone; asking before GDI+ runs caches
    // nothing, so the font is made once GDI+ is there.
    font.handle = nullptr;
    fontMade = false;
    if (!gdiplusRunning) return nullptr;
    fontMade = true;
    fontRun = gdiplusRun;

    std::wstring face = widen(faceName);
    if (face.size() >= size_t(kMaxPlatformFaceName)) face.resize(kMaxPlatformFaceName - 1);
    GpFontFamily* family = nullptr;
    font.note(GdipCreateFontFamilyFromName(face.c_str(), nullptr, &family));
    if (family) {
        INT gdiStyle = (style & kStyleUnderline)  ? FontStyleUnderline
                       : (style & kStyleItalic) ? FontStyleItalic
                                                : (style & kStyleBold);
        font.note(GdipCreateFont(family, static_cast<REAL>(size), gdiStyle, UnitPixel, &font.handle));
        GdipDeleteFontFamily(family);
    }
    return font.handle;
}

void CFontDesc::dropPlatformFont() {
    if (font.handle && fontRun == gdiplusRun && gdiplusRunning) GdipDeleteFont(font.handle);
    font.handle = nullptr;
    fontMade = false;
}

// --- Drawing context ---

CDrawContext::CDrawContext(CFrame* frame, HDC__* deviceContext, HWND__* window)
    : deviceContext(deviceContext), window(window), frame(frame) {
    clipRect = defaultClip(frame);
    if (!deviceContext && window) {
        this->deviceContext = GetDC(window);
        ownsDeviceContext = this->deviceContext != nullptr;
    }
    if (this->deviceContext) {
        GpGraphics* g = nullptr;
        int32_t status = GdipCreateFromHDC(this->deviceContext, &g);
        adoptGraphics(g, status);
        if (g) graphics.note(GdipSetPixelOffsetMode(g, PixelOffsetModeNone));
    }
    pen.note(GdipCreatePen1(0xff000000, 1.0f, UnitWorld, &pen.handle));
    fillBrush.note(GdipCreateSolidFill(0xff000000, &fillBrush.handle));
    fontBrush.note(GdipCreateSolidFill(0xff000000, &fontBrush.handle));
    RECT r;
    if (window && GetWindowRect(window, &r)) windowOrigin = CPosition(r.left, r.top);

    setPenColour(kOpaqueWhite);
    setPenPattern(kLineSolid);
    if (lineWidth != 1) setPenWidth(1);
    setFillColour(kOpaqueBlack);
    setTextColour(kOpaqueWhite);
    setTextFont(kFontSystem, 0, -1);
    setSmoothing(0);
}

CDrawContext::~CDrawContext() {
    if (font) font->release();
    if (fontBrush.handle) GdipDeleteBrush(fontBrush.handle);
    if (fillBrush.handle) GdipDeleteBrush(fillBrush.handle);
    if (pen.handle) GdipDeletePen(pen.handle);
    if (graphics.handle) GdipDeleteGraphics(graphics.handle);
    // Graphics first: they draw through the device context until deleted.
    if (ownsDeviceContext) ReleaseDC(window, deviceContext);
}

void CDrawContext::adoptGraphics(Gdiplus::GpGraphics* g, int32_t status) {
    graphics.handle = g;
    graphics.note(status);
    if (!g) return;
    graphics.note(GdipSetInterpolationMode(g, InterpolationModeLowQuality));
    graphics.note(GdipSetPageUnit(g, UnitPixel));
}

void CDrawContext::setPenColour(const CRgbaColour& colour) {
    if (colour == lineColour) return;
    lineColour = colour;
    if (pen.handle) pen.note(GdipSetPenColor(pen.handle, colour.argb()));
}

void CDrawContext::setFillColour(const CRgbaColour& colour) {
    if (colour == fillColour) return;
    fillColour = colour;
    if (fillBrush.handle) fillBrush.note(GdipSetSolidFillColor(fillBrush.handle, colour.argb()));
}

void CDrawContext::setTextColour(const CRgbaColour& colour) {
    fontColour = colour;
    if (fontBrush.handle) fontBrush.note(GdipSetSolidFillColor(fontBrush.handle, colour.argb()));
}

void CDrawContext::setPenWidth(double width) {
    lineWidth = width;
    if (pen.handle) pen.note(GdipSetPenWidth(pen.handle, static_cast<REAL>(width)));
}

void CDrawContext::setPenWidthIfChanged(double width) {
    if (width != lineWidth) setPenWidth(width);
}

void CDrawContext::setPenPattern(int32_t style) {
    if (style == lineStyle) return;
    lineStyle = style;
    if (pen.handle)
        pen.note(GdipSetPenDashStyle(pen.handle, style == kLineDotted ? DashStyleDot : DashStyleSolid));
}

void CDrawContext::setSmoothing(int32_t mode) {
    if (mode == drawMode) return;
    drawMode = mode;
    if (graphics.handle)
        graphics.note(GdipSetSmoothingMode(
            graphics.handle, mode == kDrawAntiAliased ? SmoothingModeAntiAlias : SmoothingModeNone));
}

void CDrawContext::setClipArea(const CRectangle& rect) {
    CRectangle device = rect;
    device.offset(drawingOffset.x, drawingOffset.y);
    if (device == clipRect) return;
    clipRect = device;
    if (graphics.handle)
        graphics.note(GdipSetClipRectI(graphics.handle, toInt(device.left), toInt(device.top),
                                       toInt(device.width()), toInt(device.height()),
                                       CombineModeReplace));
}

void CDrawContext::getClipArea(CRectangle& rect) const {
    rect = clipRect;
    rect.offset(-drawingOffset.x, -drawingOffset.y);
}

void CDrawContext::resetClipArea() {
    CRectangle rect = defaultClip(frame);
    setClipArea(rect);
    clipRect = rect;
}

void CDrawContext::movePenTo(const CPosition& p) {
    penPosition = CPosition(p.x + drawingOffset.x, p.y + drawingOffset.y);
}

void CDrawContext::drawLineTo(const CPosition& p) {
    CPosition to(p.x + drawingOffset.x, p.y + drawingOffset.y);
    if (graphics.handle && pen.handle)
        graphics.note(GdipDrawLineI(graphics.handle, pen.handle, toInt(penPosition.x),
                                    toInt(penPosition.y), toInt(to.x), toInt(to.y)));
    penPosition = to;
}

void CDrawContext::drawLinePairs(const CPosition* points, int32_t pairCount) {
    if (!points) return;
    for (int32_t i = 0; i < pairCount; ++i) {
        movePenTo(points[2 * i]);
        drawLineTo(points[2 * i + 1]);
    }
}

void CDrawContext::drawPolygonPoints(const CPosition* points, int32_t count, CShapeStyle style,
                                     bool closed) {
    if (!graphics.handle || !points || count <= 0) return;
    enum { kFixedPoints = 30 };
    GpPointF fixed[kFixedPoints];
    std::vector<GpPointF> heap;
    GpPointF* converted = fixed;
    if (count > kFixedPoints) {
        heap.resize(static_cast<size_t>(count));
        converted = heap.data();
    }
    for (int32_t i = 0; i < count; ++i)
        converted[i] = GpPointF(static_cast<REAL>(points[i].x + drawingOffset.x),
                                static_cast<REAL>(points[i].y + drawingOffset.y));
    if ((style == kShapeFilled || style == kShapeFilledAndStroked) && fillBrush.handle)
        graphics.note(GdipFillPolygon(graphics.handle, fillBrush.handle, converted, count,
                                      FillModeAlternate));
    if ((style == kShapeStroked || style == kShapeFilledAndStroked) && pen.handle) {
        if (closed)
            graphics.note(GdipDrawPolygon(graphics.handle, pen.handle, converted, count));
        else
            graphics.note(GdipDrawLines(graphics.handle, pen.handle, converted, count));
    }
}

void CDrawContext::fillPolygonPoints(const CPosition* points, int32_t count) {
    drawPolygonPoints(points, count, kShapeFilled, true);
}

void CDrawContext::drawRectangle(const CRectangle& rect, CShapeStyle style) {
    if (!graphics.handle) return;
    CRectangle device = rect;
    device.offset(drawingOffset.x, drawingOffset.y);
    drawRectangleAt(device, style);
}

void CDrawContext::drawRectangleAt(const CRectangle& r, CShapeStyle style) {
    REAL x = static_cast<REAL>(std::fmin(r.left, r.right));
    REAL y = static_cast<REAL>(std::fmin(r.top, r.bottom));
    REAL w = static_cast<REAL>(std::fabs(r.right - r.left));
    REAL h = static_cast<REAL>(std::fabs(r.bottom - r.top));
    if ((style == kShapeFilled || style == kShapeFilledAndStroked) && fillBrush.handle)
        graphics.note(GdipFillRectangle(graphics.handle, fillBrush.handle, x, y, w, h));
    if ((style == kShapeStroked || style == kShapeFilledAndStroked) && pen.handle)
        graphics.note(GdipDrawRectangle(graphics.handle, pen.handle, x, y, w - 1, h - 1));
}

void CDrawContext::fillRectangle(const CRectangle& rect) { drawRectangle(rect, kShapeFilled); }

void CDrawContext::drawEllipseIn(const CRectangle& rect, CShapeStyle style) {
    if (!graphics.handle) return;
    double l = rect.left + drawingOffset.x, r = rect.right + drawingOffset.x;
    double t = rect.top + drawingOffset.y, b = rect.bottom + drawingOffset.y;
    INT x = toInt(std::fmin(l, r)), y = toInt(std::fmin(t, b));
    INT w = toInt(std::fabs(r - l)), h = toInt(std::fabs(b - t));
    if ((style == kShapeFilled || style == kShapeFilledAndStroked) && fillBrush.handle)
        graphics.note(GdipFillEllipseI(graphics.handle, fillBrush.handle, x, y, w - 1, h - 1));
    if ((style == kShapeStroked || style == kShapeFilledAndStroked) && pen.handle)
        graphics.note(GdipDrawEllipseI(graphics.handle, pen.handle, x, y, w - 1, h - 1));
}

void CDrawContext::fillEllipseIn(const CRectangle& rect) { drawEllipseIn(rect, kShapeFilled); }

void CDrawContext::drawArcIn(const CRectangle& rect, float startAngle, float endAngle,
                             CShapeStyle style) {
    if (!graphics.handle) return;
    if (endAngle < startAngle) endAngle += 360.0f;
    float sweep = std::fabs(endAngle - startAngle);
    GpPath* path = nullptr;
    graphics.note(GdipCreatePath(FillModeAlternate, &path));
    if (!path) return;
    graphics.note(GdipAddPathArc(path, static_cast<REAL>(rect.left + drawingOffset.x),
                                 static_cast<REAL>(rect.top + drawingOffset.y),
                                 static_cast<REAL>(rect.width()), static_cast<REAL>(rect.height()),
                                 startAngle, sweep));
    if ((style == kShapeFilled || style == kShapeFilledAndStroked) && fillBrush.handle)
        graphics.note(GdipFillPath(graphics.handle, fillBrush.handle, path));
    if ((style == kShapeStroked || style == kShapeFilledAndStroked) && pen.handle)
        graphics.note(GdipDrawPath(graphics.handle, pen.handle, path));
    GdipDeletePath(path);
}

void CDrawContext::drawPixel(const CPosition& p, const CRgbaColour& colour) {
    CRgbaColour savedColour = lineColour;
    double savedWidth = lineWidth;
    if (lineWidth != 1) setPenWidth(1);
    setPenColour(colour);
    movePenTo(p);
    drawLineTo(CPosition(p.x + 1, p.y));
    setPenColour(savedColour);
    if (lineWidth != savedWidth) setPenWidth(savedWidth);
}

CRgbaColour CDrawContext::readPixel(const CPosition& p) const {
    (void)p;
    return kOpaqueBlack;
}

void CDrawContext::setTextFont(CFontDesc* newFont, int32_t newSize, int32_t newStyle) {
    if (!newFont) return;
    CFontDesc* taken;
    if ((newSize < 1 || newSize == newFont->getSize()) &&
        (newStyle == -1 || newStyle == newFont->getStyle())) {
        newFont->retain();
        taken = newFont;
    } else {
        taken = new CFontDesc(newFont->getFaceName(), newSize < 1 ? newFont->getSize() : newSize,
                              newStyle == -1 ? newFont->getStyle() : newStyle);
    }
    // Taken before the old one goes: the old one may be the one given.
    CFontDesc* old = font;
    font = taken;
    if (old) old->release();
}

double CDrawContext::measureText(const char* text) {
    if (!text || !font || !graphics.handle) return -1;
    GpFont* platformFont = font->platformFont();
    if (!platformFont) return 0;
    std::wstring wide = widen(text);
    RectF layout(0, 0, 0, 0), box(0, 0, 0, 0);
    if (!graphics.note(GdipMeasureString(graphics.handle, wide.c_str(), static_cast<INT>(wide.size()),
                                         platformFont, &layout, nullptr, &box, nullptr, nullptr)))
        return 0;
    return box.Width;
}

void CDrawContext::drawTextAt(const char* text, const CPosition& p, bool antialias) {
    if (!text || !font || !graphics.handle || !fontBrush.handle) return;
    GpFont* platformFont = font->platformFont();
    if (!platformFont) return;
    graphics.note(GdipSetTextRenderingHint(graphics.handle, antialias
                                                                ? TextRenderingHintClearTypeGridFit
                                                                : TextRenderingHintSystemDefault));
    REAL dpi = 96, fontHeight = 0;
    graphics.note(GdipGetDpiY(graphics.handle, &dpi));
    graphics.note(GdipGetFontHeightGivenDPI(platformFont, dpi, &fontHeight));
    std::wstring wide = widen(text);
    RectF layout(static_cast<REAL>(p.x + drawingOffset.x),
                 static_cast<REAL>(p.y + drawingOffset.y + 1 - fontHeight), 0, 0);
    graphics.note(GdipDrawString(graphics.handle, wide.c_str(), static_cast<INT>(wide.size()),
                                 platformFont, &layout, nullptr, fontBrush.handle));
}

void CDrawContext::drawTextIn(const char* text, const CRectangle& rect, int32_t textAlignment,
                              bool antialias) {
    if (!text) return;
    double x = rect.left;
    if (textAlignment == kAlignRight)
        x = rect.right - measureText(text);
    else if (textAlignment != kAlignLeft)
        x = rect.left + rect.width() * 0.5 - 0.5 * measureText(text);
    double fontSize = font ? font->getSize() : 0;
    double y = rect.bottom - (rect.height() * 0.5 - fontSize * 0.5 + 1);

    CRectangle oldClip;
    getClipArea(oldClip);
    CRectangle clip = rect;
    clip.bound(oldClip);
    setClipArea(clip);
    drawTextAt(text, CPosition(x, y), antialias);
    setClipArea(oldClip);
}

void CDrawContext::drawTextInBox(const char* text, const CRectangle& rect, bool opaque,
                                 int32_t textAlignment) {
    (void)opaque;
    drawTextIn(text, rect, textAlignment, true);
}

bool CDrawContext::mousePosition(CPosition& p) const {
    POINT pt;
    if (!GetCursorPos(&pt)) return false;
    p = CPosition(pt.x - windowOrigin.x, pt.y - windowOrigin.y);
    return true;
}

bool CDrawContext::isDoubleClick() const {
    CPosition start;
    mousePosition(start);
    DWORD deadline = static_cast<DWORD>(GetMessageTime()) + GetDoubleClickTime();
    // Signed difference: the tick count wraps after 49 days.
    while (static_cast<LONG>(GetTickCount() - deadline) < 0) {
        CPosition now;
        mousePosition(now);
        if (!nearStart(start, now)) return false;
        MSG msg;
        if (PeekMessageW(&msg, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOYIELD | PM_REMOVE))
            return true;
    }
    return false;
}

bool CDrawContext::waitForDrag() {
    if (!frame) return false;
    CPosition start;
    mousePosition(start);
    frameTickCount(frame);
    while (currentButtons() & kButtonLeft) {
        frameForwardIdle(frame);
        CPosition now;
        mousePosition(now);
        if (!nearStart(start, now)) return true;
    }
    return false;
}

// --- Offscreen context ---

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height)
    : CDrawContext(frame, nullptr, nullptr), height(height), width(width) {
    CRectangle clip(0, 0, width, height);
    clip = CRectangle(std::fmin(clip.left, clip.right), std::fmin(clip.top, clip.bottom),
                      std::fmax(clip.left, clip.right), std::fmax(clip.top, clip.bottom));
    setStoredClip(clip);
    ownsImage = true;
    image = new CBitmap(static_cast<double>(width), static_cast<double>(height));
    GpImage* surface = image->platformImage();
    if (surface) {
        GpGraphics* g = nullptr;
        int32_t status = GdipGetImageGraphicsContext(surface, &g);
        adoptGraphics(g, status);
    }
}

COffscreenContext::~COffscreenContext() {
    // The graphics draw into the image, so they go before it.
    if (graphics.handle) GdipDeleteGraphics(graphics.handle);
    graphics.handle = nullptr;
    if (ownsImage && image) image->release();
    image = nullptr;
}

}  // namespace VSTGUI
