#include "vstgui/cbitmap.h"

#include "shell/platform/module.h"
#include "vstgui/platform/gdiplusapi.h"
#include "vstgui/platform/resourcestream.h"

namespace VSTGUI {

using namespace platform;

CBitmap::CBitmap(const CResourceRef& ref) : resource(ref) {
    enterGdiplus();
    readResourceImage(ref);
}

CBitmap::CBitmap(double width, double height) : width(width), height(height) {
    enterGdiplus();
    image.note(GdipCreateBitmapFromScan0(toInt(width), toInt(height), 0, PixelFormat32bppARGB,
                                         nullptr, &image.handle));
    // No image, no size: callers judge a bitmap by its size.
    if (!image.handle) this->width = this->height = 0;
}

CBitmap::CBitmap(GpBitmap* source) {
    enterGdiplus();
    if (!source) return;
    UINT w = 0, h = 0;
    image.note(GdipGetImageHeight(source, &h));
    image.note(GdipGetImageWidth(source, &w));
    image.note(GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h),
                                    PixelFormat32bppARGB, source, &image.handle));
    takeImageSize();
}

CBitmap::~CBitmap() {
    disposeImage();
    leaveGdiplus();
}

void CBitmap::takeImageSize() {
    width = height = 0;
    if (!image.handle) return;
    UINT w = 0, h = 0;
    if (image.note(GdipGetImageWidth(image.handle, &w)) &&
        image.note(GdipGetImageHeight(image.handle, &h))) {
        width = w;
        height = h;
    }
}

bool CBitmap::readResourceImage(const CResourceRef& ref) {
    disposeImage();
    resource = ref;
    if (ref.kind != CResourceRef::kNumericId && ref.kind != CResourceRef::kName) return true;
    HMODULE module = static_cast<HMODULE>(platformModuleHandle());
    LPCSTR name = ref.kind == CResourceRef::kNumericId ? MAKEINTRESOURCEA(ref.id) : ref.name;

    ResourceStream* stream = new ResourceStream();
    if (HRSRC found = FindResourceA(module, name, "DATA")) {
        DWORD byteCount = SizeofResource(module, found);
        if (HGLOBAL loaded = LoadResource(module, found)) {
            stream->attach(LockResource(loaded), byteCount);
            image.note(GdipCreateBitmapFromStreamICM(stream, &image.handle));
        }
    }
    stream->Release();

    if (!image.handle) {
        if (ref.kind == CResourceRef::kNumericId) {
            image.note(GdipCreateBitmapFromResource(module, MAKEINTRESOURCEW(ref.id), &image.handle));
        } else {
            std::wstring wideName = widen(ref.name);
            image.note(GdipCreateBitmapFromResource(module, wideName.c_str(), &image.handle));
        }
    }
    takeImageSize();
    return true;
}

bool CBitmap::readImageFile(const char* path) {
    (void)path;
    disposeImage();
    return false;
}

GpBitmap* CBitmap::platformImage() {
    if (image.handle) return image.handle;
    if (!bitmapHandle) return nullptr;
    if (pixelBits)
        image.note(GdipCreateBitmapFromScan0(toInt(width), toInt(height), toInt(width) * 4,
                                             PixelFormat32bppPARGB,
                                             static_cast<BYTE*>(pixelBits), &image.handle));
    else
        image.note(GdipCreateBitmapFromHBITMAP(bitmapHandle, nullptr, &image.handle));
    return image.handle;
}

void CBitmap::disposeImage() {
    if (image.handle) GdipDisposeImage(image.handle);
    image.handle = nullptr;
    pixelBits = nullptr;
    if (bitmapHandle) DeleteObject(bitmapHandle);
    if (secondBitmapHandle) DeleteObject(secondBitmapHandle);
    bitmapHandle = secondBitmapHandle = nullptr;
    ignoreAlpha = false;
    width = height = 0;
}

void CBitmap::drawBitmap(CDrawContext* context, const CRectangle& destination,
                         const CPosition& sourceOffset) {
    drawBitmapAlpha(context, destination, sourceOffset, 255);
}

void CBitmap::drawBitmapTransparent(CDrawContext* context, const CRectangle& destination,
                                    const CPosition& sourceOffset) {
    drawBitmapAlpha(context, destination, sourceOffset, 255);
}

void CBitmap::drawBitmapAlpha(CDrawContext* context, const CRectangle& destination,
                              const CPosition& sourceOffset, uint8_t alpha) {
    GpBitmap* source = platformImage();
    if (!source || !context || !context->getGraphics()) return;
    GpGraphics* target = context->getGraphics();
    INT x = toInt(context->drawingOffset.x) + toInt(destination.left);
    INT y = toInt(context->drawingOffset.y) + toInt(destination.top);
    INT w = toInt(destination.width()), h = toInt(destination.height());
    INT sx = toInt(sourceOffset.x), sy = toInt(sourceOffset.y);

    if (alpha == 255) {
        image.note(GdipDrawImageRectRectI(target, source, x, y, w, h, sx, sy, w, h, UnitPixel,
                                          nullptr, nullptr, nullptr));
        return;
    }

    // The colour matrix scales only alpha. The source region goes through a
    // temporary image first so the attributes apply to exactly that region.
    GpImageAttributes* attributes = nullptr;
    image.note(GdipCreateImageAttributes(&attributes));
    if (!attributes) return;
    ColorMatrix matrix = {};
    matrix.m[0][0] = matrix.m[1][1] = matrix.m[2][2] = 1.0f;
    matrix.m[3][3] = alpha / 255.0f;
    image.note(GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &matrix,
                                                 nullptr, ColorMatrixFlagsDefault));
    GpBitmap* temporary = nullptr;
    image.note(GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &temporary));
    if (temporary) {
        GpGraphics* temporaryGraphics = nullptr;
        image.note(GdipGetImageGraphicsContext(temporary, &temporaryGraphics));
        if (temporaryGraphics) {
            image.note(GdipDrawImageRectRectI(temporaryGraphics, source, 0, 0, w, h, sx, sy, w, h,
                                              UnitPixel, nullptr, nullptr, nullptr));
            image.note(GdipDrawImageRectRectI(target, temporary, x, y, w, h, 0, 0, w, h, UnitPixel,
                                              attributes, nullptr, nullptr));
            GdipDeleteGraphics(temporaryGraphics);
        }
        GdipDisposeImage(temporary);
    }
    GdipDisposeImageAttributes(attributes);
}

}  // namespace VSTGUI
