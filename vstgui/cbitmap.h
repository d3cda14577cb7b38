// The toolkit's image: a GDI+ bitmap with its size, loaded from a module
// resource, copied from a GDI+ bitmap or made empty as an offscreen surface.
// GUI thread.
#pragma once

#include <cstdint>

#include "vstgui/cbaseobject.h"
#include "vstgui/cdrawcontext.h"
#include "vstgui/vstguitypes.h"

struct HBITMAP__;

namespace VSTGUI {

// Where an image comes from: a numeric resource id or a resource name (not
// owned).
struct CResourceRef {
    enum : int32_t { kNumericId = 0, kName = 1, kNone = 2 };

    int32_t kind = kNone;
    uint16_t id = 0;
    const char* name = nullptr;

    CResourceRef() = default;
    CResourceRef(int32_t resourceId) : kind(kNumericId), id(static_cast<uint16_t>(resourceId)) {}
    CResourceRef(const char* resourceName)
        : kind(resourceName ? kName : kNone), name(resourceName) {}
};

class CBitmap : public CBaseObject {
public:
    // Test the size afterwards: a bitmap that did not load is 0 wide or high.
    explicit CBitmap(const CResourceRef& resource);
    // An empty 32-bit image, fully transparent.
    CBitmap(double width, double height);
    // An independent copy of the source; the source is not kept.
    explicit CBitmap(Gdiplus::GpBitmap* source);
    ~CBitmap() override;

    virtual void drawBitmap(CDrawContext* context, const CRectangle& destination,
                            const CPosition& sourceOffset = CPosition());
    virtual void drawBitmapTransparent(CDrawContext* context, const CRectangle& destination,
                                       const CPosition& sourceOffset = CPosition());
    virtual void drawBitmapAlpha(CDrawContext* context, const CRectangle& destination,
                                 const CPosition& sourceOffset, uint8_t alpha);
    virtual void disposeImage();
    virtual bool readResourceImage(const CResourceRef& ref);
    // Image files are decoded elsewhere and handed over as GDI+ bitmaps.
    virtual bool readImageFile(const char* path);

    Gdiplus::GpBitmap* platformImage();
    int32_t imageStatus() const { return image.lastStatus; }

    void setKeyColour(const CRgbaColour& colour) { keyColour = colour; }
    const CRgbaColour& getKeyColour() const { return keyColour; }
    void setIgnoreAlpha(bool ignore) { ignoreAlpha = ignore; }
    bool ignoresAlpha() const { return ignoreAlpha; }
    double bitmapWidth() const { return width; }
    double bitmapHeight() const { return height; }
    const CResourceRef& getResource() const { return resource; }

protected:
    CResourceRef resource;
    double width = 0;
    double height = 0;
    // Kept for callers; drawing uses neither.
    CRgbaColour keyColour{255, 255, 255, 0};
    bool ignoreAlpha = true;
    HBITMAP__* bitmapHandle = nullptr;
    HBITMAP__* secondBitmapHandle = nullptr;
    CPlatformObject<Gdiplus::GpBitmap> image;
    // 32 bits per pixel, premultiplied alpha; not owned.
    void* pixelBits = nullptr;

private:
    void takeImageSize();
};

class CBitmapForOC : public CBitmap {
public:
    explicit CBitmapForOC(Gdiplus::GpBitmap* source) : CBitmap(source) {}
};

}  // namespace VSTGUI
