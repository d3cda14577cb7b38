// Drawing surfaces over GDI+: a context on a window's device context or on
// an offscreen image, font descriptions and the process-wide GDI+ holder.
// Everything here runs on the GUI thread.
#pragma once

#include <cstdint>

#include "vstgui/cbaseobject.h"
#include "vstgui/vstguitypes.h"

// Platform handles stay opaque so that users of the toolkit need no
// platform headers.
struct HDC__;
struct HWND__;
namespace Gdiplus {
class GpBitmap;
class GpFont;
class GpGraphics;
class GpPen;
class GpSolidFill;
}  // namespace Gdiplus

namespace VSTGUI {

class CBitmap;
class CFrame;

// A GDI+ object of the flat API with the last failing status of a call on
// it. The status is kept for inspection only; nothing acts on it.
template <typename T>
struct CPlatformObject {
    T* handle = nullptr;
    int32_t lastStatus = 0;

    // Returns whether the call succeeded.
    bool note(int32_t status) {
        if (status != 0) lastStatus = status;
        return status == 0;
    }
};

class CFontDesc : public CBaseObject {
public:
    enum : int32_t { kStyleBold = 1, kStyleItalic = 2, kStyleUnderline = 4 };
    // Longer face names are cut to this many characters less one when the
    // platform font is made.
    enum : int32_t { kMaxPlatformFaceName = 200 };

    explicit CFontDesc(const char* faceName = nullptr, double size = 0, int32_t style = 0);
    CFontDesc(const CFontDesc& other);
    CFontDesc& operator=(const CFontDesc& other);
    ~CFontDesc() override;

    void setFaceName(const char* faceName);
    void setFontSize(double size);
    void setFontStyle(int32_t style);
    const char* getFaceName() const { return faceName; }
    double getSize() const { return size; }
    int32_t getStyle() const { return style; }
    bool operator==(const CFontDesc& other) const;
    bool operator!=(const CFontDesc& other) const { return !(*this == other); }

    // The cached GDI+ font, made on first use. Null when GDI+ knows no
    // such face; that answer is cached as well.
    Gdiplus::GpFont* platformFont();
    void dropPlatformFont();
    bool hasPlatformFont() const { return fontMade; }
    int32_t platformFontStatus() const { return font.lastStatus; }

private:
    char* faceName = nullptr;
    double size = 0;
    int32_t style = 0;
    CPlatformObject<Gdiplus::GpFont> font;
    bool fontMade = false;
    // The GDI+ run the font was made in; a font of an ended run died with it.
    uint32_t fontRun = 0;
};

// Static for the life of the library.
extern CFontDesc* const kFontSystem;
extern CFontDesc* const kFontVeryBig;
extern CFontDesc* const kFontBig;
extern CFontDesc* const kFontNormal;
extern CFontDesc* const kFontSmall;
extern CFontDesc* const kFontSmaller;
extern CFontDesc* const kFontVerySmall;
extern CFontDesc* const kFontSymbol;

// Keeps GDI+ started while it is referenced: every frame and every bitmap
// holds one reference through enterGdiplus and leaveGdiplus.
class GDIPlusGlobals : public CBaseObject {
public:
    GDIPlusGlobals();
    ~GDIPlusGlobals() override;
    bool started() const { return startStatus == 0; }

private:
    uintptr_t token = 0;
    int32_t startStatus = -1;
};

// Null while no frame or bitmap exists. Process-wide, unguarded: GUI thread.
extern GDIPlusGlobals* GdiplusHolder;
void enterGdiplus();
void leaveGdiplus();

// Buttons and modifiers from the asynchronous key state.
CInputState currentButtons();
// Whether the system swaps the left and right buttons; read by the frame
// when it registers its window class.
extern bool swapMouseButtons;

class CDrawContext : public CBaseObject {
public:
    CDrawContext(CFrame* frame, HDC__* deviceContext, HWND__* window);
    ~CDrawContext() override;

    void setPenColour(const CRgbaColour& colour);
    void setFillColour(const CRgbaColour& colour);
    void setTextColour(const CRgbaColour& colour);
    void setPenWidth(double width);
    void setPenWidthIfChanged(double width);
    void setPenPattern(int32_t lineStyle);
    void setSmoothing(int32_t drawMode);
    void setClipArea(const CRectangle& rect);
    void getClipArea(CRectangle& rect) const;
    void resetClipArea();

    void movePenTo(const CPosition& p);
    void drawLineTo(const CPosition& p);
    void drawLinePairs(const CPosition* points, int32_t pairCount);
    void drawPolygonPoints(const CPosition* points, int32_t count, CShapeStyle style, bool closed);
    void fillPolygonPoints(const CPosition* points, int32_t count);
    void drawRectangle(const CRectangle& rect, CShapeStyle style);
    void fillRectangle(const CRectangle& rect);
    void drawEllipseIn(const CRectangle& rect, CShapeStyle style);
    void fillEllipseIn(const CRectangle& rect);
    void drawArcIn(const CRectangle& rect, float startAngle, float endAngle, CShapeStyle style);
    void drawPixel(const CPosition& p, const CRgbaColour& colour);
    CRgbaColour readPixel(const CPosition& p) const;

    void setTextFont(CFontDesc* font, int32_t size, int32_t style);
    double measureText(const char* text);
    // The point is the text's bottom line.
    void drawTextAt(const char* text, const CPosition& p, bool antialias);
    void drawTextIn(const char* text, const CRectangle& rect, int32_t textAlignment, bool antialias);
    void drawTextInBox(const char* text, const CRectangle& rect, bool opaque, int32_t textAlignment);

    bool mousePosition(CPosition& p) const;
    bool isDoubleClick() const;
    bool waitForDrag();

    CFrame* getFrame() const { return frame; }
    HWND__* getWindow() const { return window; }
    HDC__* getDeviceContext() const { return deviceContext; }
    CFontDesc* getFont() const { return font; }
    const CRgbaColour& getFontColour() const { return fontColour; }
    const CRgbaColour& getLineColour() const { return lineColour; }
    const CRgbaColour& getFillColour() const { return fillColour; }
    double getLineWidth() const { return lineWidth; }
    int32_t getLineStyle() const { return lineStyle; }
    int32_t getDrawMode() const { return drawMode; }
    const CPosition& getPenPosition() const { return penPosition; }
    Gdiplus::GpGraphics* getGraphics() const { return graphics.handle; }
    int32_t graphicsStatus() const { return graphics.lastStatus; }

    // Containers move both while they paint their children and put them
    // back before their paint returns.
    CPosition windowOrigin;
    CPosition drawingOffset;

protected:
    // For offscreen contexts, which make their graphics from their image.
    void adoptGraphics(Gdiplus::GpGraphics* g, int32_t status);
    void setStoredClip(const CRectangle& deviceRect) { clipRect = deviceRect; }
    void drawRectangleAt(const CRectangle& deviceRect, CShapeStyle style);

    HDC__* deviceContext = nullptr;
    HWND__* window = nullptr;
    CFrame* frame = nullptr;
    CFontDesc* font = nullptr;
    CRgbaColour fontColour;
    CPosition penPosition;
    double lineWidth = 0;
    CRgbaColour lineColour;
    CRgbaColour fillColour;
    int32_t lineStyle = kLineDotted;
    int32_t drawMode = kDrawAntiAliased;
    CRectangle clipRect;
    CPlatformObject<Gdiplus::GpGraphics> graphics;
    CPlatformObject<Gdiplus::GpPen> pen;
    CPlatformObject<Gdiplus::GpSolidFill> fillBrush;
    CPlatformObject<Gdiplus::GpSolidFill> fontBrush;

private:
    // Set when the context took the window's device context itself and so
    // must give it back.
    bool ownsDeviceContext = false;
};

// A context whose surface is a private 32-bit image, initially fully
// transparent. Its image is drawn elsewhere with the image's drawBitmap.
class COffscreenContext : public CDrawContext {
public:
    COffscreenContext(CFrame* frame, int32_t width, int32_t height);
    ~COffscreenContext() override;

    CBitmap* getBitmap() const { return image; }
    double getWidth() const { return width; }
    double getHeight() const { return height; }

private:
    CBitmap* image = nullptr;
    double height = 0;
    double width = 0;
    bool ownsImage = true;
};

}  // namespace VSTGUI
