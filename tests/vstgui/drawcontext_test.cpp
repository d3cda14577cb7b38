// Drawing contexts read back through offscreen images: shapes, pixels,
// text, fonts and the state the setters keep.
#include <cmath>
#include <string>

#include "fixtures.h"

namespace toolkit_test {
namespace {

const CRgbaColour kRed(255, 0, 0);
const CRgbaColour kGreen(0, 255, 0);
const CRgbaColour kBlue(0, 0, 255);

using DrawTest = GdiplusSession;

bool inked(const COffscreenContext& c, int x, int y) { return colourAt(c, x, y).alpha != 0; }

TEST_F(DrawTest, LineRunsBetweenPenPositionsShiftedByTheOffset) {
    COffscreenContext c(nullptr, 40, 40);
    c.setPenColour(kRed);
    c.drawingOffset = CPosition(10, 20);
    c.movePenTo(CPosition(2, 5));
    c.drawLineTo(CPosition(12, 5));
    EXPECT_EQ(c.getPenPosition(), CPosition(22, 25));
    for (int x = 13; x <= 21; ++x) EXPECT_EQ(colourAt(c, x, 25), kRed) << x;
    EXPECT_FALSE(inked(c, 17, 24));
    EXPECT_FALSE(inked(c, 17, 26));
    EXPECT_FALSE(inked(c, 5, 5));  // where it would be without the offset
}

TEST_F(DrawTest, ReversedRectangleLandsWhereItsNormalisedFormDoes) {
    struct Case {
        CShapeStyle style;
    } cases[] = {{kShapeStroked}, {kShapeFilled}, {kShapeFilledAndStroked}};
    for (const Case& k : cases) {
        COffscreenContext forward(nullptr, 20, 20), reversed(nullptr, 20, 20);
        for (COffscreenContext* c : {&forward, &reversed}) {
            c->setFillColour(kBlue);
            c->setPenColour(kRed);
        }
        forward.drawRectangle(CRectangle(2, 3, 10, 8), k.style);
        reversed.drawRectangle(CRectangle(10, 8, 2, 3), k.style);
        EXPECT_EQ(allPixels(forward), allPixels(reversed)) << "style " << k.style;
        EXPECT_TRUE(inked(forward, 2, 3)) << "style " << k.style;
    }
}

TEST_F(DrawTest, FillCoversTheRectangleAndTheOutlineIsOnePixelSmaller) {
    COffscreenContext fill(nullptr, 20, 20), outline(nullptr, 20, 20);
    fill.setFillColour(kBlue);
    fill.fillRectangle(CRectangle(2, 3, 10, 8));
    outline.setPenColour(kRed);
    outline.drawRectangle(CRectangle(2, 3, 10, 8), kShapeStroked);

    // The fill covers x 2..9 and y 3..7.
    EXPECT_EQ(colourAt(fill, 2, 3), kBlue);
    EXPECT_EQ(colourAt(fill, 9, 7), kBlue);
    EXPECT_FALSE(inked(fill, 10, 5));
    EXPECT_FALSE(inked(fill, 5, 8));
    EXPECT_FALSE(inked(fill, 1, 5));

    // The outline's edges are the fill's last rows and columns.
    EXPECT_EQ(colourAt(outline, 2, 3), kRed);
    EXPECT_EQ(colourAt(outline, 9, 3), kRed);
    EXPECT_EQ(colourAt(outline, 9, 7), kRed);
    EXPECT_EQ(colourAt(outline, 2, 7), kRed);
    EXPECT_FALSE(inked(outline, 10, 3));
    EXPECT_FALSE(inked(outline, 2, 8));
    EXPECT_FALSE(inked(outline, 5, 5));  // hollow
}

TEST_F(DrawTest, EllipsesFillAndStrokeInsideTheirRectangle) {
    COffscreenContext filled(nullptr, 30, 30), stroked(nullptr, 30, 30);
    filled.setFillColour(kGreen);
    filled.fillEllipseIn(CRectangle(20, 20, 0, 0));  // reversed on purpose
    stroked.setPenColour(kRed);
    stroked.drawEllipseIn(CRectangle(0, 0, 20, 20), kShapeStroked);

    EXPECT_EQ(colourAt(filled, 10, 10), kGreen);
    EXPECT_FALSE(inked(filled, 1, 1));    // corner of the box
    EXPECT_FALSE(inked(filled, 21, 10));  // outside the box
    EXPECT_FALSE(inked(stroked, 10, 10));
    EXPECT_TRUE(inked(stroked, 10, 0) || inked(stroked, 9, 0));
    EXPECT_TRUE(inked(stroked, 0, 10) || inked(stroked, 0, 9));
    InkBox box = inkBox(stroked);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 20);
}

TEST_F(DrawTest, ArcFrom350To10CoversTwentyDegreesAroundTheRight) {
    COffscreenContext c(nullptr, 41, 41);
    c.setPenColour(kRed);
    c.drawArcIn(CRectangle(0, 0, 40, 40), 350, 10, kShapeStroked);
    double lowest = 360, highest = -360;
    int count = 0;
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            if (!inked(c, x, y)) continue;
            ++count;
            // Clockwise from the positive x axis, y growing downward; the
            // ellipse's centre is (20, 20).
            double angle = std::atan2(y - 20.0, x - 20.0) * 180 / 3.14159265358979;
            lowest = std::fmin(lowest, angle);
            highest = std::fmax(highest, angle);
        }
    }
    ASSERT_GT(count, 3);
    EXPECT_NEAR(lowest, -10, 3);
    EXPECT_NEAR(highest, 10, 3);
}

TEST_F(DrawTest, PixelKeepsLineColourAndWidth) {
    COffscreenContext c(nullptr, 20, 20);
    c.setPenColour(kBlue);
    c.setPenWidth(3);
    c.drawPixel(CPosition(5, 5), kRed);
    EXPECT_EQ(colourAt(c, 5, 5), kRed);
    EXPECT_FALSE(inked(c, 5, 4));
    EXPECT_FALSE(inked(c, 5, 6));
    EXPECT_FALSE(inked(c, 7, 5));
    EXPECT_EQ(c.getLineColour(), kBlue);
    EXPECT_EQ(c.getLineWidth(), 3);
    // The pen itself is back to blue and 3 wide.
    c.movePenTo(CPosition(2, 12));
    c.drawLineTo(CPosition(15, 12));
    EXPECT_EQ(colourAt(c, 8, 11), kBlue);
    EXPECT_EQ(colourAt(c, 8, 13), kBlue);
}

TEST_F(DrawTest, PolygonsFillAndStrokeOpenAndClosed) {
    const CPosition triangle[] = {{2, 2}, {18, 2}, {2, 18}};
    COffscreenContext filled(nullptr, 20, 20), open(nullptr, 20, 20), closed(nullptr, 20, 20);
    filled.setFillColour(kGreen);
    filled.fillPolygonPoints(triangle, 3);
    EXPECT_EQ(colourAt(filled, 5, 5), kGreen);
    EXPECT_FALSE(inked(filled, 15, 15));
    open.drawPolygonPoints(triangle, 3, kShapeStroked, false);
    closed.drawPolygonPoints(triangle, 3, kShapeStroked, true);
    // Only the closed outline has the edge from the last point back to the
    // first.
    EXPECT_FALSE(inked(open, 2, 10));
    EXPECT_TRUE(inked(closed, 2, 10));
    EXPECT_FALSE(inked(closed, 5, 5));

    // More points than the fixed buffer holds: a 40-point star of lines.
    std::vector<CPosition> many;
    for (int i = 0; i < 40; ++i) many.push_back(CPosition(i % 2 ? 19 : 1, i * 0.5));
    COffscreenContext zigzag(nullptr, 20, 20);
    zigzag.drawPolygonPoints(many.data(), int32_t(many.size()), kShapeStroked, false);
    EXPECT_TRUE(inked(zigzag, 1, 19) || inked(zigzag, 1, 18));
}

TEST_F(DrawTest, ContextWithoutSurfaceKeepsStateAndDrawsNothing) {
    CDrawContext c(nullptr, nullptr, nullptr);
    EXPECT_EQ(c.getGraphics(), nullptr);
    CRectangle clip;
    c.getClipArea(clip);
    EXPECT_EQ(clip, CRectangle(0, 0, 1000, 1000));
    // The first values after construction.
    EXPECT_EQ(c.getLineColour(), CRgbaColour(255, 255, 255));
    EXPECT_EQ(c.getFillColour(), CRgbaColour(0, 0, 0));
    EXPECT_EQ(c.getFontColour(), CRgbaColour(255, 255, 255));
    EXPECT_EQ(c.getLineWidth(), 1);
    EXPECT_EQ(c.getLineStyle(), kLineSolid);
    EXPECT_EQ(c.getDrawMode(), 0);
    EXPECT_EQ(c.getFont(), kFontSystem);

    c.setPenColour(kRed);
    c.setFillColour(kGreen);
    c.setPenPattern(kLineDotted);
    c.setSmoothing(kDrawAntiAliased);
    c.drawRectangle(CRectangle(0, 0, 10, 10), kShapeFilledAndStroked);
    c.drawTextAt("x", CPosition(1, 1), false);
    EXPECT_EQ(c.getLineColour(), kRed);
    EXPECT_EQ(c.getFillColour(), kGreen);
    EXPECT_EQ(c.getLineStyle(), kLineDotted);
    EXPECT_EQ(c.getDrawMode(), kDrawAntiAliased);
    EXPECT_EQ(c.measureText("x"), -1);
    EXPECT_EQ(c.readPixel(CPosition(3, 3)), CRgbaColour(0, 0, 0, 255));
}

TEST_F(DrawTest, ClipAreaIsKeptInDeviceCoordinatesAndLimitsDrawing) {
    COffscreenContext c(nullptr, 30, 30);
    c.drawingOffset = CPosition(5, 5);
    c.setClipArea(CRectangle(0, 0, 10, 10));
    CRectangle clip;
    c.getClipArea(clip);
    EXPECT_EQ(clip, CRectangle(0, 0, 10, 10));
    c.setFillColour(kBlue);
    c.fillRectangle(CRectangle(-5, -5, 25, 25));
    InkBox box = inkBox(c);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(box.bottom, 15);
    c.drawingOffset = CPosition();
    c.resetClipArea();
    c.getClipArea(clip);
    EXPECT_EQ(clip, CRectangle(0, 0, 1000, 1000));
    c.fillRectangle(CRectangle(20, 20, 25, 25));
    EXPECT_EQ(colourAt(c, 22, 22), kBlue);
}

TEST_F(DrawTest, SetTextFontSharesOrCopies) {
    CFontDesc* font = new CFontDesc("Courier New", 11, CFontDesc::kStyleBold);
    {
        CDrawContext c(nullptr, nullptr, nullptr);
        c.setTextFont(font, 0, -1);
        EXPECT_EQ(c.getFont(), font);
        EXPECT_EQ(font->getNbReference(), 2);
        c.setTextFont(font, 11, CFontDesc::kStyleBold);  // same values: shared
        EXPECT_EQ(c.getFont(), font);
        EXPECT_EQ(font->getNbReference(), 2);

        c.setTextFont(font, 20, -1);
        ASSERT_NE(c.getFont(), font);
        EXPECT_EQ(font->getNbReference(), 1);
        EXPECT_STREQ(c.getFont()->getFaceName(), "Courier New");
        EXPECT_EQ(c.getFont()->getSize(), 20);
        EXPECT_EQ(c.getFont()->getStyle(), CFontDesc::kStyleBold);

        c.setTextFont(font, 0, CFontDesc::kStyleItalic);
        EXPECT_EQ(c.getFont()->getSize(), 11);
        EXPECT_EQ(c.getFont()->getStyle(), CFontDesc::kStyleItalic);

        c.setTextFont(nullptr, 0, -1);  // ignored
        EXPECT_NE(c.getFont(), nullptr);

        // The context's own font handed back to it survives the swap.
        CFontDesc* own = c.getFont();
        c.setTextFont(own, 0, -1);
        EXPECT_EQ(c.getFont(), own);
        EXPECT_EQ(own->getNbReference(), 1);
    }
    EXPECT_EQ(font->getNbReference(), 1);
    font->release();
}

class TextTest : public GdiplusSession {
protected:
    void SetUp() override {
        GdiplusSession::SetUp();
        courier = new CFontDesc("Courier New", 11);
    }
    void TearDown() override {
        courier->release();
        GdiplusSession::TearDown();
    }
    CFontDesc* courier = nullptr;
};

TEST_F(TextTest, MeasuresCourierAtItsKnownWidth) {
    COffscreenContext c(nullptr, 10, 10);
    c.setTextFont(courier, 0, -1);
    EXPECT_NEAR(c.measureText("test30"), 45.67, 1.5);
    EXPECT_NEAR(c.measureText("test30test30"), 2 * 45.67, 8);
    EXPECT_EQ(c.measureText(nullptr), -1);
    EXPECT_LT(c.measureText(""), 1);
}

TEST_F(TextTest, UnknownOrOverlongFacesMeasureZero) {
    COffscreenContext c(nullptr, 10, 10);
    CFontDesc* unknown = new CFontDesc("No Such Face Anywhere", 11);
    c.setTextFont(unknown, 0, -1);
    EXPECT_EQ(c.measureText("test30"), 0);
    EXPECT_TRUE(unknown->hasPlatformFont());  // the failure is cached
    unknown->release();

    std::string longName(300, 'W');
    CFontDesc* overlong = new CFontDesc(longName.c_str(), 11);
    c.setTextFont(overlong, 0, -1);
    EXPECT_EQ(c.measureText("test30"), 0);
    EXPECT_STREQ(overlong->getFaceName(), longName.c_str());  // the description keeps it all
    overlong->release();
}

TEST_F(TextTest, TextSitsOnItsBottomLineInTheTextColour) {
    COffscreenContext c(nullptr, 80, 40);
    c.setTextFont(courier, 0, -1);
    c.setTextColour(kGreen);
    c.drawTextAt("test30", CPosition(10, 30), false);
    InkBox box = inkBox(c);
    ASSERT_GT(box.count, 20);
    EXPECT_NEAR(box.left, 12, 3);
    EXPECT_NEAR(box.bottom, 30, 3);  // "test30" has no descenders
    EXPECT_NEAR(box.top, 22, 3);
    EXPECT_NEAR(box.right - box.left, 40, 6);
    EXPECT_GT(box.strongest.green, 200);
    EXPECT_LT(box.strongest.red, 60);
    EXPECT_LT(box.strongest.blue, 60);

    // The drawing offset moves text too.
    COffscreenContext shifted(nullptr, 80, 40);
    shifted.setTextFont(courier, 0, -1);
    shifted.drawingOffset = CPosition(20, -10);
    shifted.drawTextAt("test30", CPosition(10, 30), false);
    InkBox moved = inkBox(shifted);
    EXPECT_EQ(moved.left, box.left + 20);
    EXPECT_EQ(moved.bottom, box.bottom - 10);
}

TEST_F(TextTest, InvalidUtf8DrawsNothing) {
    COffscreenContext c(nullptr, 80, 40);
    c.setTextFont(courier, 0, -1);
    c.drawTextAt("te\xff\xfest", CPosition(10, 30), false);
    EXPECT_EQ(inkBox(c).count, 0);
}

TEST_F(TextTest, TextInRectangleAlignsAndStaysInside) {
    const CRectangle area(10, 0, 190, 40);
    struct Case {
        int32_t alignment;
        const char* name;
    } cases[] = {{kAlignLeft, "left"}, {kAlignRight, "right"}, {5, "centre (5)"}};
    double textWidth = 0;
    for (const Case& k : cases) {
        COffscreenContext c(nullptr, 200, 40);
        c.setTextFont(courier, 0, -1);
        textWidth = c.measureText("test30");
        CRectangle before;
        c.getClipArea(before);
        c.drawTextIn("test30", area, k.alignment, false);
        CRectangle after;
        c.getClipArea(after);
        EXPECT_EQ(before, after) << k.name;
        InkBox box = inkBox(c);
        ASSERT_GT(box.count, 20) << k.name;
        // Baseline at bottom - (height / 2 - size / 2 + 1) = 24.5.
        EXPECT_NEAR(box.bottom, 25, 3) << k.name;
        if (k.alignment == kAlignLeft) {
            EXPECT_NEAR(box.left, 11, 3) << k.name;
        } else if (k.alignment == kAlignRight) {
            EXPECT_NEAR(box.right, 189, 4) << k.name;
        } else {
            EXPECT_NEAR((box.left + box.right) / 2.0, 100, 3) << k.name;
        }
    }
    EXPECT_GT(textWidth, 40);

    // Clipped to the rectangle: nothing right of a narrow one.
    COffscreenContext c(nullptr, 200, 40);
    c.setTextFont(courier, 0, -1);
    c.drawTextInBox("test30test30", CRectangle(0, 0, 30, 40), false, kAlignLeft);
    InkBox box = inkBox(c);
    EXPECT_GT(box.count, 0);
    EXPECT_LE(box.right, 30);
}

TEST_F(TextTest, FontDescriptionsCompareAndDropTheirPlatformFont) {
    CFontDesc a("Courier New", 11, 0);
    CFontDesc b(a);
    EXPECT_TRUE(a == b);
    b.setFontStyle(CFontDesc::kStyleItalic);
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b.getNbReference(), 1);

    ASSERT_NE(a.platformFont(), nullptr);
    EXPECT_TRUE(a.hasPlatformFont());
    a.setFaceName("Courier New");  // unchanged: the font stays
    EXPECT_TRUE(a.hasPlatformFont());
    a.setFaceName("Arial");
    EXPECT_FALSE(a.hasPlatformFont());
    EXPECT_NE(a.platformFont(), nullptr);
    a.setFontSize(14);
    EXPECT_FALSE(a.hasPlatformFont());
    a.setFaceName(nullptr);
    EXPECT_EQ(a.getFaceName(), nullptr);
    EXPECT_FALSE(a == b);
}

// A context made on a window takes the window's device context and gives it
// back when it goes.
TEST_F(DrawTest, WindowContextGivesBackTheDeviceContextItTook) {
    HWND window = CreateWindowExW(0, L"STATIC", L"ctx", WS_POPUP, 100, 50, 60, 40,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HDC taken = nullptr;
    {
        CDrawContext c(nullptr, nullptr, window);
        taken = c.getDeviceContext();
        ASSERT_NE(taken, nullptr);
        EXPECT_NE(c.getGraphics(), nullptr);
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ(c.windowOrigin, CPosition(r.left, r.top));
        // The context still holds it: giving it back now succeeds once.
        EXPECT_EQ(ReleaseDC(window, taken), 1);
        EXPECT_EQ(ReleaseDC(window, taken), 0);
        EXPECT_EQ(GetDC(window), taken);  // the context's own again
    }
    EXPECT_EQ(ReleaseDC(window, taken), 0);
    DestroyWindow(window);
}

// A second press counts as a double click only while the double-click time
// since the last message lasts and the pointer stays put.
TEST_F(DrawTest, DoubleClickNeedsASecondPressInTime) {
    HWND window = CreateWindowExW(0, L"STATIC", L"dbl", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CDrawContext c(nullptr, nullptr, window);
    auto receive = [window]() {  // makes the last message time "now"
        MSG msg;
        PostMessageW(window, WM_USER, 0, 0);
        while (GetMessageW(&msg, window, 0, 0) > 0 && msg.message != WM_USER) {
        }
    };

    receive();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(c.isDoubleClick());
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));  // taken

    receive();
    EXPECT_FALSE(c.isDoubleClick());  // no second press before the time runs out

    Sleep(GetDoubleClickTime() + 50);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(c.isDoubleClick());  // too late
    DestroyWindow(window);
}

}  // namespace
}  // namespace toolkit_test
