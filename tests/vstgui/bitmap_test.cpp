// Bitmaps: loading from the test module's resources, copies of GDI+
// bitmaps, the three ways of drawing, the resource stream and the GDI+
// lifetime that bitmaps hold.
#include <cstring>

#include "fixtures.h"
#include "shell/platform/module.h"
#include "vstgui/platform/resourcestream.h"

namespace toolkit_test {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

const CRgbaColour kRed(255, 0, 0);
const CRgbaColour kBlue(0, 0, 255);

class BitmapTest : public GdiplusSession {
protected:
    void SetUp() override {
        GdiplusSession::SetUp();
        savedModule = platformModuleHandle();
        platformSetModuleHandle(resourceModule);
    }
    void TearDown() override {
        platformSetModuleHandle(savedModule);
        GdiplusSession::TearDown();
    }
    void* savedModule = nullptr;
};

TEST_F(BitmapTest, LoadsDataResourcesByNumberAndName) {
    for (CResourceRef ref : {CResourceRef(101), CResourceRef("STRIPES")}) {
        CBitmap bitmap(ref);
        ASSERT_EQ(bitmap.bitmapWidth(), 4);
        ASSERT_EQ(bitmap.bitmapHeight(), 3);
        EXPECT_EQ(bitmap.getResource().kind, ref.kind);
        // Rows from the top: red, green, blue.
        EXPECT_EQ(CRgbaColour::fromArgb(argbAt(&bitmap, 0, 0)), CRgbaColour(220, 30, 40));
        EXPECT_EQ(CRgbaColour::fromArgb(argbAt(&bitmap, 3, 1)), CRgbaColour(20, 200, 60));
        EXPECT_EQ(CRgbaColour::fromArgb(argbAt(&bitmap, 2, 2)), CRgbaColour(30, 40, 210));
    }
}

TEST_F(BitmapTest, BitmapOnlyResourceLoadsThroughTheFallback) {
    CBitmap bitmap(CResourceRef(102));
    ASSERT_EQ(bitmap.bitmapWidth(), 5);
    ASSERT_EQ(bitmap.bitmapHeight(), 2);
    EXPECT_EQ(CRgbaColour::fromArgb(argbAt(&bitmap, 4, 1)), CRgbaColour(10, 120, 230));
}

TEST_F(BitmapTest, MissingResourceGivesNoImageAndDrawsNothing) {
    for (CResourceRef ref : {CResourceRef(999), CResourceRef("NOSUCHIMAGE"), CResourceRef()}) {
        CBitmap bitmap(ref);
        EXPECT_EQ(bitmap.bitmapWidth(), 0);
        EXPECT_EQ(bitmap.bitmapHeight(), 0);
        EXPECT_EQ(bitmap.platformImage(), nullptr);
        COffscreenContext target(nullptr, 8, 8);
        bitmap.drawBitmap(&target, CRectangle(0, 0, 8, 8));
        bitmap.drawBitmapAlpha(&target, CRectangle(0, 0, 8, 8), CPosition(), 100);
        EXPECT_EQ(inkBox(target).count, 0);
    }
}

TEST_F(BitmapTest, CopyOfAGdiplusBitmapIsIndependent) {
    GpBitmap* source = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppARGB, nullptr, &source), Ok);
    GdipBitmapSetPixel(source, 2, 1, 0x80112233);
    CBitmap copy(source);
    GdipDisposeImage(source);
    EXPECT_EQ(copy.bitmapWidth(), 3);
    EXPECT_EQ(copy.bitmapHeight(), 2);
    EXPECT_EQ(argbAt(&copy, 2, 1), 0x80112233u);
    EXPECT_EQ(argbAt(&copy, 0, 0), 0u);

    CBitmap none(static_cast<GpBitmap*>(nullptr));
    EXPECT_EQ(none.bitmapWidth(), 0);
    EXPECT_EQ(none.platformImage(), nullptr);
}

TEST_F(BitmapTest, NewBitmapKeepsKeyColourAndIgnoreAlphaUntilDisposed) {
    CBitmap bitmap(6, 4);
    EXPECT_EQ(bitmap.getKeyColour(), CRgbaColour(255, 255, 255, 0));
    EXPECT_TRUE(bitmap.ignoresAlpha());
    EXPECT_EQ(bitmap.bitmapWidth(), 6);
    EXPECT_EQ(argbAt(&bitmap, 5, 3), 0u);  // fully transparent
    bitmap.setKeyColour(CRgbaColour(1, 2, 3, 4));
    bitmap.setIgnoreAlpha(false);
    EXPECT_EQ(bitmap.getKeyColour(), CRgbaColour(1, 2, 3, 4));
    EXPECT_FALSE(bitmap.ignoresAlpha());
    bitmap.setIgnoreAlpha(true);
    EXPECT_TRUE(bitmap.ignoresAlpha());

    bitmap.disposeImage();
    EXPECT_FALSE(bitmap.ignoresAlpha());
    EXPECT_EQ(bitmap.bitmapWidth(), 0);
    EXPECT_EQ(bitmap.platformImage(), nullptr);
    EXPECT_FALSE(bitmap.readImageFile("Z:\\nothing.png"));
}

// A red 8 x 8 square whose right half is half transparent, drawn onto blue.
class DrawBitmapTest : public BitmapTest {
protected:
    void SetUp() override {
        BitmapTest::SetUp();
        source = new COffscreenContext(nullptr, 8, 8);
        source->setFillColour(kRed);
        source->fillRectangle(CRectangle(0, 0, 4, 8));
        source->setFillColour(CRgbaColour(255, 0, 0, 128));
        source->fillRectangle(CRectangle(4, 0, 8, 8));
        source->drawPixel(CPosition(2, 2), CRgbaColour(0, 255, 0));
    }
    void TearDown() override {
        source->release();
        BitmapTest::TearDown();
    }
    COffscreenContext* blueTarget() {
        COffscreenContext* target = new COffscreenContext(nullptr, 20, 20);
        target->setFillColour(kBlue);
        target->fillRectangle(CRectangle(0, 0, 20, 20));
        return target;
    }
    COffscreenContext* source = nullptr;
};

TEST_F(DrawBitmapTest, OpaqueDrawCopiesTheRegionFromTheSourceOffset) {
    COffscreenContext* target = blueTarget();
    target->drawingOffset = CPosition(1, 1);
    source->getBitmap()->drawBitmap(target, CRectangle(3, 3, 9, 9), CPosition(2, 2));
    // Destination (4..9, 4..9) shows source (2..7, 2..7).
    EXPECT_EQ(colourAt(*target, 4, 4), CRgbaColour(0, 255, 0));
    EXPECT_EQ(colourAt(*target, 4, 5), kRed);
    EXPECT_EQ(colourAt(*target, 3, 3), kBlue);
    EXPECT_EQ(colourAt(*target, 10, 10), kBlue);
    CRgbaColour blended = colourAt(*target, 9, 5);  // half transparent red on blue
    EXPECT_NEAR(blended.red, 128, 3);
    EXPECT_NEAR(blended.blue, 127, 3);
    target->release();
}

TEST_F(DrawBitmapTest, TransparentDrawIsPixelIdenticalToPlainDraw) {
    COffscreenContext* plain = blueTarget();
    COffscreenContext* transparent = blueTarget();
    source->getBitmap()->drawBitmap(plain, CRectangle(2, 2, 10, 10));
    source->getBitmap()->drawBitmapTransparent(transparent, CRectangle(2, 2, 10, 10));
    EXPECT_EQ(allPixels(*plain), allPixels(*transparent));
    EXPECT_EQ(colourAt(*plain, 3, 3), kRed);
    plain->release();
    transparent->release();
}

TEST_F(DrawBitmapTest, AlphaScalesTheSourceAndZeroLeavesTheDestination) {
    COffscreenContext* untouched = blueTarget();
    std::vector<uint32_t> before = allPixels(*untouched);
    source->getBitmap()->drawBitmapAlpha(untouched, CRectangle(2, 2, 10, 10), CPosition(), 0);
    EXPECT_EQ(allPixels(*untouched), before);
    untouched->release();

    COffscreenContext* opaque = blueTarget();
    COffscreenContext* viaAlpha = blueTarget();
    source->getBitmap()->drawBitmapAlpha(opaque, CRectangle(2, 2, 10, 10), CPosition(), 255);
    source->getBitmap()->drawBitmap(viaAlpha, CRectangle(2, 2, 10, 10));
    EXPECT_EQ(allPixels(*opaque), allPixels(*viaAlpha));
    opaque->release();
    viaAlpha->release();

    COffscreenContext* half = blueTarget();
    source->getBitmap()->drawBitmapAlpha(half, CRectangle(2, 2, 10, 10), CPosition(), 128);
    CRgbaColour mixed = colourAt(*half, 3, 3);
    EXPECT_NEAR(mixed.red, 128, 4);
    EXPECT_NEAR(mixed.blue, 127, 4);
    EXPECT_EQ(colourAt(*half, 12, 12), kBlue);
    half->release();
}

TEST_F(DrawBitmapTest, ContextWithoutGraphicsIsLeftAlone) {
    CDrawContext none(nullptr, nullptr, nullptr);
    source->getBitmap()->drawBitmap(&none, CRectangle(0, 0, 8, 8));
    source->getBitmap()->drawBitmapAlpha(&none, CRectangle(0, 0, 8, 8), CPosition(), 10);
    source->getBitmap()->drawBitmap(nullptr, CRectangle(0, 0, 8, 8));
    EXPECT_EQ(none.getGraphics(), nullptr);
    EXPECT_NE(source->getBitmap()->platformImage(), nullptr);
}

// --- The resource stream ---

struct StreamTest : ::testing::Test {
    StreamTest() {
        for (int i = 0; i < 10; ++i) bytes[i] = uint8_t(i + 1);
        stream = new ResourceStream();
        stream->attach(bytes, sizeof bytes);
    }
    ~StreamTest() override { stream->Release(); }
    HRESULT seek(int64_t offset, DWORD origin, uint64_t* reached = nullptr) {
        LARGE_INTEGER move;
        move.QuadPart = offset;
        ULARGE_INTEGER now;
        now.QuadPart = 12345;
        HRESULT result = stream->Seek(move, origin, &now);
        if (reached) *reached = now.QuadPart;
        return result;
    }
    uint8_t bytes[10];
    ResourceStream* stream;
};

TEST_F(StreamTest, SeekStaysInsideTheData) {
    struct Case {
        int64_t offset;
        DWORD origin;
        HRESULT result;
        uint32_t position;  // afterwards, starting from 4
    } cases[] = {
        {9, STREAM_SEEK_SET, S_OK, 9},     {10, STREAM_SEEK_SET, S_FALSE, 4},
        {-1, STREAM_SEEK_SET, S_FALSE, 4}, {0, STREAM_SEEK_SET, S_OK, 0},
        {3, STREAM_SEEK_CUR, S_OK, 7},     {6, STREAM_SEEK_CUR, S_FALSE, 4},
        {-4, STREAM_SEEK_CUR, S_OK, 0},    {-5, STREAM_SEEK_CUR, S_FALSE, 4},
        {0, STREAM_SEEK_END, S_FALSE, 4},  {0, 7, STG_E_INVALIDFUNCTION, 4},
        {int64_t(1) << 32, STREAM_SEEK_SET, S_FALSE, 4},
    };
    for (const Case& k : cases) {
        ASSERT_EQ(seek(4, STREAM_SEEK_SET), S_OK);
        uint64_t reached = 0;
        EXPECT_EQ(seek(k.offset, k.origin, &reached), k.result) << k.offset << " " << k.origin;
        EXPECT_EQ(stream->getPosition(), k.position) << k.offset << " " << k.origin;
        EXPECT_EQ(reached, k.result == S_OK ? uint64_t(k.position) : 12345u);
    }
}

TEST_F(StreamTest, ReadsOnlyWhatLiesInsideTheData) {
    uint8_t buffer[16];
    std::memset(buffer, 0xee, sizeof buffer);
    ULONG read = 99;
    ASSERT_EQ(seek(7, STREAM_SEEK_SET), S_OK);
    EXPECT_EQ(stream->Read(buffer, 4, &read), S_FALSE);  // one past the end
    EXPECT_EQ(read, 99u);
    EXPECT_EQ(buffer[0], 0xee);
    EXPECT_EQ(stream->getPosition(), 7u);
    EXPECT_EQ(stream->Read(buffer, 3, &read), S_OK);  // exactly the last bytes
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(buffer[0], 8);
    EXPECT_EQ(buffer[2], 10);
    EXPECT_EQ(stream->getPosition(), 10u);
    EXPECT_EQ(stream->Read(buffer, 1, nullptr), S_FALSE);
    EXPECT_EQ(stream->Read(buffer, 0xffffffffu, &read), S_FALSE);  // no wrap-around
    EXPECT_EQ(stream->Revert(), S_OK);
    EXPECT_EQ(stream->getPosition(), 0u);
    EXPECT_EQ(stream->Read(buffer, 2, nullptr), S_OK);
    EXPECT_EQ(buffer[1], 2);
}

TEST_F(StreamTest, InterfacesStatAndUnsupportedCalls) {
    void* object = nullptr;
    for (REFIID iid : {IID_IUnknown, IID_ISequentialStream, IID_IStream}) {
        ASSERT_EQ(stream->QueryInterface(iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<IStream*>(stream));
        EXPECT_EQ(stream->Release(), 1u);  // the reference it added
    }
    EXPECT_EQ(stream->QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(stream->AddRef(), 2u);
    EXPECT_EQ(stream->Release(), 1u);

    STATSTG stat;
    std::memset(&stat, 0x5a, sizeof stat);
    EXPECT_EQ(stream->Stat(&stat, 0), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 10u);
    EXPECT_EQ(stat.pwcsName, nullptr);
    EXPECT_EQ(stat.type, 0u);

    ULARGE_INTEGER any;
    any.QuadPart = 1;
    IStream* copy = nullptr;
    EXPECT_EQ(stream->Write(bytes, 1, nullptr), E_NOTIMPL);
    EXPECT_EQ(stream->SetSize(any), E_NOTIMPL);
    EXPECT_EQ(stream->CopyTo(nullptr, any, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(stream->Commit(0), E_NOTIMPL);
    EXPECT_EQ(stream->LockRegion(any, any, 0), E_NOTIMPL);
    EXPECT_EQ(stream->UnlockRegion(any, any, 0), E_NOTIMPL);
    EXPECT_EQ(stream->Clone(&copy), E_NOTIMPL);
}

// --- GDI+ lifetime ---

TEST(GdiplusLifetime, BitmapsAndOffscreensHoldGdiplusAndTheLastEndsIt) {
    ASSERT_EQ(GdiplusHolder, nullptr) << "another test left GDI+ entered";
    enterGdiplus();  // as a frame does
    ASSERT_NE(GdiplusHolder, nullptr);
    EXPECT_TRUE(GdiplusHolder->started());
    EXPECT_EQ(GdiplusHolder->getNbReference(), 1);

    CBitmap* bitmap = new CBitmap(4, 4);
    EXPECT_EQ(GdiplusHolder->getNbReference(), 2);
    COffscreenContext* offscreen = new COffscreenContext(nullptr, 30, 30);
    EXPECT_EQ(GdiplusHolder->getNbReference(), 3);
    offscreen->setTextFont(kFontSystem, 0, -1);
    offscreen->measureText("x");
    EXPECT_TRUE(kFontSystem->hasPlatformFont());

    leaveGdiplus();  // the frame goes; the images keep GDI+
    EXPECT_EQ(GdiplusHolder->getNbReference(), 2);
    offscreen->release();
    EXPECT_EQ(GdiplusHolder->getNbReference(), 1);
    bitmap->release();
    EXPECT_EQ(GdiplusHolder, nullptr);
    EXPECT_FALSE(kFontSystem->hasPlatformFont());  // dropped at shutdown
    leaveGdiplus();  // nothing to leave
    EXPECT_EQ(GdiplusHolder, nullptr);

    // A second run works as the first, rebuilding the predefined font.
    CFontDesc* kept = new CFontDesc("Courier New", 11);
    {
        CBitmap holder(1, 1);
        COffscreenContext c(nullptr, 10, 10);
        c.setTextFont(kept, 0, -1);
        EXPECT_NEAR(c.measureText("test30"), 45.67, 1.5);
        c.setTextFont(kFontSystem, 0, -1);
        EXPECT_GT(c.measureText("x"), 0);
    }
    EXPECT_EQ(GdiplusHolder, nullptr);
    // A description that outlives GDI+ forgets its dead font instead of
    // handing it back.
    EXPECT_EQ(kept->platformFont(), nullptr);
    kept->release();
}

}  // namespace
}  // namespace toolkit_test
