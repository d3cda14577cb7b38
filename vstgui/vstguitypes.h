// Value types shared by the whole toolkit: positions, rectangles, colours,
// input states and results. Portable; coordinates stay doubles until they
// reach the platform.
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CPosition {
    double x = 0;
    double y = 0;

    CPosition() = default;
    CPosition(double x, double y) : x(x), y(y) {}
    CPosition& offset(double dx, double dy) {
        x += dx;
        y += dy;
        return *this;
    }
    bool operator==(const CPosition& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CPosition& o) const { return !(*this == o); }
};

struct CRectangle {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    CRectangle() = default;
    CRectangle(double left, double top, double right, double bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool isEmpty() const { return !(width() > 0 && height() > 0); }

    CRectangle& offset(double dx, double dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    // Edges included, as hit tests need.
    bool pointInside(const CPosition& p) const {
        return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
    }
    // Touching edges count as overlap.
    bool rectOverlap(const CRectangle& o) const {
        return !(o.right < left || o.left > right || o.bottom < top || o.top > bottom);
    }
    // An empty result keeps a valid shape: right never falls below left,
    // bottom never above top.
    CRectangle& bound(const CRectangle& o) {
        if (o.left > left) left = o.left;
        if (o.top > top) top = o.top;
        if (o.right < right) right = o.right;
        if (o.bottom < bottom) bottom = o.bottom;
        if (top > bottom) bottom = top;
        if (left > right) right = left;
        return *this;
    }
    bool operator==(const CRectangle& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CRectangle& o) const { return !(*this == o); }
};

// Red in the lowest byte of the packed value, alpha in the highest.
struct CRgbaColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    constexpr CRgbaColour() = default;
    constexpr CRgbaColour(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
        : red(r), green(g), blue(b), alpha(a) {}

    constexpr uint32_t packed() const {
        return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16 | uint32_t(alpha) << 24;
    }
    static constexpr CRgbaColour fromPacked(uint32_t v) {
        return CRgbaColour(uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24));
    }
    // The platform's order: alpha, red, green, blue from the top byte down.
    constexpr uint32_t argb() const {
        return uint32_t(alpha) << 24 | uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
    }
    static constexpr CRgbaColour fromArgb(uint32_t v) {
        return CRgbaColour(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24));
    }
    constexpr bool operator==(const CRgbaColour& o) const { return packed() == o.packed(); }
    constexpr bool operator!=(const CRgbaColour& o) const { return !(*this == o); }
};

// Mouse buttons and modifier keys as bits.
typedef int32_t CInputState;
enum : int32_t {
    kButtonLeft = 2,
    kButtonMiddle = 4,
    kButtonRight = 8,
    kModShift = 16,
    kModControl = 32,
    kModAlt = 64,
    kButtonX1 = 256,
    kButtonX2 = 512,
    kButtonDouble = 1024,
};

// Other values a view answers travel upward unchanged, hence a plain int.
typedef int32_t CMouseResult;
enum : int32_t {
    kMouseNotImplemented = 0,
    kMouseHandled = 1,
    kMouseNotHandled = 2,
};

// A key event as the host's key record carries it.
struct CKeyCode {
    int32_t character = 0;
    uint8_t virt = 0;
    uint8_t modifier = 0;
};

typedef int32_t CShapeStyle;
enum : int32_t {
    kShapeStroked = 0,
    kShapeFilled = 1,
    kShapeFilledAndStroked = 2,
};

enum : int32_t {
    kLineSolid = 0,
    kLineDotted = 1,
};

// Every other draw mode draws without anti-aliasing.
enum : int32_t { kDrawAntiAliased = 3 };

enum : int32_t {
    kAlignLeft = 0,
    kAlignCentre = 1,
    kAlignRight = 2,
};

}  // namespace VSTGUI
