// Shared helpers of the toolkit tests: a fixture that keeps GDI+ started
// like an open frame does, and pixel read-back from offscreen images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "vstgui/cbitmap.h"
#include "vstgui/cdrawcontext.h"
#include "vstgui/platform/gdiplusapi.h"

namespace VSTGUI {
// Readable failure messages.
inline void PrintTo(const CRectangle& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPosition& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const CRgbaColour& c, std::ostream* os) {
    *os << "rgba(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", "
        << int(c.alpha) << ")";
}
}  // namespace VSTGUI

namespace toolkit_test {

using namespace VSTGUI;

// The module with the test images, loaded by main.
extern void* resourceModule;

class GdiplusSession : public ::testing::Test {
protected:
    void SetUp() override { enterGdiplus(); }
    void TearDown() override { leaveGdiplus(); }
};

inline uint32_t argbAt(CBitmap* bitmap, int x, int y) {
    Gdiplus::ARGB value = 0;
    Gdiplus::DllExports::GdipBitmapGetPixel(bitmap->platformImage(), x, y, &value);
    return value;
}

inline uint32_t argbAt(const COffscreenContext& context, int x, int y) {
    return argbAt(context.getBitmap(), x, y);
}

inline CRgbaColour colourAt(const COffscreenContext& context, int x, int y) {
    return CRgbaColour::fromArgb(argbAt(context, x, y));
}

inline std::vector<uint32_t> allPixels(const COffscreenContext& context) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < int(context.getHeight()); ++y)
        for (int x = 0; x < int(context.getWidth()); ++x) pixels.push_back(argbAt(context, x, y));
    return pixels;
}

// The smallest rectangle holding every pixel that is not fully
// transparent; empty (all zero) when there is none.
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int count = 0;
    CRgbaColour strongest;
};

inline InkBox inkBox(const COffscreenContext& context) {
    InkBox box;
    int strongestAlpha = -1;
    for (int y = 0; y < int(context.getHeight()); ++y) {
        for (int x = 0; x < int(context.getWidth()); ++x) {
            CRgbaColour c = colourAt(context, x, y);
            if (c.alpha == 0) continue;
            if (box.count == 0) {
                box.left = box.right = x;
                box.top = box.bottom = y;
            }
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
            ++box.count;
            if (c.alpha > strongestAlpha) {
                strongestAlpha = c.alpha;
                box.strongest = c;
            }
        }
    }
    return box;
}

}  // namespace toolkit_test
