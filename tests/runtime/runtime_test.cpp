// The script object: paged memory, the numeric rules, the sections'
// defaults and the lifecycle paths from the host to them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scripts.h"

using namespace testing_runtime;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct PlainScript : TKelvrix {};

TEST(PagedMemory, FreshCellReadsZeroAndCreatesOneFullPage) {
    PlainScript s;
    EXPECT_TRUE(s.pages.empty());
    EXPECT_EQ(s.memoryAt(0), 0.0);
    ASSERT_EQ(s.pages.size(), 1u);
    EXPECT_EQ(s.pages.count(0), 1u);
    EXPECT_EQ(s.pages[0].size(), 65536u);
}

struct CellCase {
    int32_t index;
    int32_t page;
    uint32_t offset;
};

TEST(PagedMemory, EveryIndexAddressesItsOwnPageAndOffset) {
    const CellCase cases[] = {
        {0, 0, 0},           {65535, 0, 65535},        {65536, 1, 0},
        {-1, -1, 65535},     {-65536, -1, 0},          {-65537, -2, 65535},
        {INT32_MAX, 32767, 65535}, {INT32_MIN, -32768, 0}, {123456, 1, 57920},
    };
    PlainScript s;
    double value = 1.0;
    for (const CellCase& c : cases) {
        s.memoryAt(c.index) = value;
        ASSERT_EQ(s.pages.count(c.page), 1u) << c.index;
        EXPECT_EQ(s.pages[c.page].size(), 65536u) << c.index;
        EXPECT_EQ(s.pages[c.page][c.offset], value) << c.index;
        value += 1.0;
    }
    // No two indices of the table share a cell.
    value = 1.0;
    for (const CellCase& c : cases) {
        EXPECT_EQ(s.memoryAt(c.index), value) << c.index;
        value += 1.0;
    }
}

TEST(PagedMemory, CellsKeepTheirAddressWhileOtherPagesAreCreated) {
    PlainScript s;
    double& cell = s.memoryAt(70000);
    cell = 4.5;
    for (int32_t page = -40; page < 40; ++page) s.memoryAt(page * 65536 + 3) = page;
    EXPECT_EQ(&cell, &s.memoryAt(70000));
    EXPECT_EQ(cell, 4.5);
}

TEST(PagedMemory, ResetFreesEveryPageAndStringButKeepsSlidersAndInitCount) {
    PlainScript s;
    s.memoryAt(-1) = 7.0;
    s.memoryAt(200000) = 8.0;
    s.strings[10000] = "text";
    s.stringCount = 1;
    s.redrawClock = 99;
    s.sliderValues[20] = 3.0;
    s.initOnce();
    s.reset();
    EXPECT_TRUE(s.pages.empty());
    EXPECT_TRUE(s.strings.empty());
    EXPECT_EQ(s.stringCount, 0.0);
    EXPECT_EQ(s.redrawClock, 0);
    EXPECT_EQ(s.sliderValues[20], 3.0);
    EXPECT_EQ(s.initCount, 1);
    EXPECT_EQ(s.memoryAt(-1), 0.0);
    EXPECT_EQ(s.memoryAt(200000), 0.0);
}

TEST(ScriptObject, StartsWithTheLayersInitialState) {
    PlainScript s;
    EXPECT_EQ(s.shell, nullptr);
    for (double v : s.sliderValues) EXPECT_EQ(v, 0.0);
    for (double v : s.samples) EXPECT_EQ(v, 0.0);
    EXPECT_EQ(s.sliderValues.size(), 128u);
    EXPECT_EQ(s.samples.size(), 64u);
    ASSERT_EQ(s.files.size(), 1u);
    EXPECT_EQ(s.files[0].mode, CKelvrixFileRecord::kIdle);
    EXPECT_TRUE(s.files[0].fileName.empty());
    EXPECT_TRUE(s.sliderRecords.empty());
    EXPECT_EQ(s.frameRate, 0.0);
    EXPECT_EQ(s.initCount, 0);
}

struct IntCase {
    double x;
    int32_t expected;
};

TEST(Numbers, ToIntNudgesAwayFromZeroTruncatesAndSaturates) {
    const IntCase cases[] = {
        {0.0, 0},          {2.99995, 3},      {2.5, 2},           {-2.99995, -3},
        {0.99995, 1},      {-0.5, 0},         {-0.99995, -1},     {0.9998, 0},
        {10000.99995, 10001}, {-1.0, -1},     {kNaN, 0},          {-kNaN, 0},
        {kInf, INT32_MAX}, {-kInf, INT32_MIN}, {3e9, INT32_MAX},  {-3e9, INT32_MIN},
        {2147483647.0, INT32_MAX}, {2147483647.9, INT32_MAX}, {-2147483648.0, INT32_MIN},
        {-2147483648.9, INT32_MIN}, {2147483646.99995, 2147483647},
    };
    for (const IntCase& c : cases) EXPECT_EQ(toInt(c.x), c.expected) << c.x;
}

TEST(Numbers, SanitizeAndInfinityToZero) {
    EXPECT_EQ(sanitize(kInf), 0.0);
    EXPECT_EQ(sanitize(-kInf), 0.0);
    EXPECT_EQ(sanitize(kNaN), 0.0);
    EXPECT_EQ(sanitize(-2.5), -2.5);
    EXPECT_EQ(sanitize(std::numeric_limits<double>::denorm_min()),
              std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(infinityToZero(kInf), 0.0);
    EXPECT_EQ(infinityToZero(-kInf), 0.0);
    EXPECT_TRUE(std::isnan(infinityToZero(kNaN)));
    EXPECT_EQ(infinityToZero(1e308), 1e308);
}

TEST(Numbers, EqualityIsStrictlyWithinTheToleranceAndMaxSkipsNaN) {
    EXPECT_TRUE(equals(1.0, 1.0 + 0.000009));
    EXPECT_TRUE(equals(-3.0, -3.0 - 0.000009));
    EXPECT_FALSE(equals(0.0, 0.00002));
    EXPECT_FALSE(equals(0.0, 0.0000100001));
    EXPECT_FALSE(equals(kNaN, kNaN));
    EXPECT_FALSE(equals(kInf, kInf));  // inf - inf is not a number
    EXPECT_EQ(max(kNaN, 4.0), 4.0);
    EXPECT_EQ(max(4.0, kNaN), 4.0);
    EXPECT_EQ(max(-1.0, 0.5), 0.5);
    EXPECT_EQ(max(0.5, -1.0), 0.5);
}

TEST(Sections, ResumeRunsInitThenSliderAndInitOnceRunsInitOnlyOnce) {
    LoggingScript s;
    s.doResume();
    EXPECT_EQ(s.log, (std::vector<std::string>{"init", "slider"}));
    s.log.clear();
    EXPECT_EQ(s.initOnce(), 1);
    EXPECT_EQ(s.initOnce(), 2);
    s.reset();
    EXPECT_EQ(s.initOnce(), 3);
    EXPECT_EQ(s.log, (std::vector<std::string>{"init", "reset"}));
}

// The host's lifecycle requests reach the overridden operations; the
// script's own reset runs at effOpen, not at construction.
TEST(Sections, HostRequestsReachTheScriptsOperations) {
    bool destroyed = false;
    {
        Instance in;
        ASSERT_NE(in.effect, nullptr);
        in.script->destroyed = &destroyed;
        EXPECT_TRUE(in.script->log.empty());
        EXPECT_EQ(in.script->shell, static_cast<CVeST*>(in.effect->object));
        in.dispatch(effOpen);
        in.dispatch(effMainsChanged, 0, 1);
        in.dispatch(effMainsChanged, 0, 0);
        VeSTCallbacks table = kelvrixCallbacks();
        table.onDraw(in.script->shell, 17.0, 23.0);
        table.onEditorIdle(in.script->shell);
        EXPECT_EQ(in.script->log, (std::vector<std::string>{"reset", "init", "slider", "suspend",
                                                            "gfx", "idle"}));
        in.dispatch(effClose);
        in.effect = nullptr;
    }
    EXPECT_TRUE(destroyed);
}

TEST(Sections, TheRuntimeFillsEveryEntryButTheKeys) {
    VeSTCallbacks table = kelvrixCallbacks();
    EXPECT_EQ(table.onKeyPress, nullptr);
    EXPECT_EQ(table.onKeyRelease, nullptr);
    void (*entries[29])();
    static_assert(sizeof entries == sizeof table, "one pointer per entry");
    std::memcpy(entries, &table, sizeof table);
    int filled = 0;
    for (auto* entry : entries) filled += entry != nullptr;
    EXPECT_EQ(filled, 27);
}

struct MouseCase {
    int32_t buttons;
    double cap;
};

TEST(Mouse, PressesMapTheToolkitBitsReleasesClearMovesKeep) {
    Instance in;
    CVeST* shell = in.script->shell;
    VeSTCallbacks table = kelvrixCallbacks();
    const MouseCase cases[] = {{18, 9},  {68, 80}, {1026, 1}, {40, 6},
                               {2 | 8 | 32 | 16 | 64 | 4, 95}, {256 | 512 | 1 | 128, 0}};
    for (const MouseCase& c : cases) {
        table.onMouseDown(shell, 12.5, 40.0, c.buttons);
        EXPECT_EQ(in.script->mouseCap, c.cap) << c.buttons;
    }
    table.onMouseDown(shell, 1.0, 2.0, 18);
    table.onMouseMove(shell, 3.0, 4.0, 0);
    EXPECT_EQ(in.script->mouseCap, 9.0);
    EXPECT_EQ(in.script->mouseX, 3.0);
    EXPECT_EQ(in.script->mouseY, 4.0);
    table.onMouseUp(shell, 5.0, 6.0, 18);
    EXPECT_EQ(in.script->mouseCap, 0.0);
    EXPECT_EQ(in.script->mouseX, 5.0);
    EXPECT_EQ(in.script->mouseY, 6.0);
}

TEST(Mouse, AnyMouseEventRaisesTheRedrawRateToThirty) {
    Instance in;
    CVeST* shell = in.script->shell;
    VeSTCallbacks table = kelvrixCallbacks();
    void (*events[])(CVeST*, double, double, int32_t) = {table.onMouseDown, table.onMouseUp,
                                                        table.onMouseMove};
    for (auto event : events) {
        for (double rate : {0.0, 10.0, -5.0}) {
            in.script->frameRate = rate;
            event(shell, 0, 0, 0);
            EXPECT_EQ(in.script->frameRate, 30.0) << rate;
        }
        in.script->frameRate = 60.0;
        event(shell, 0, 0, 0);
        EXPECT_EQ(in.script->frameRate, 60.0);
    }
}

int32_t fakeNow = 0;
int32_t fakeClock() { return fakeNow; }

TEST(TimedRedraw, AsksOnlyAfterMoreThanOneFramePeriod) {
    PlainScript s;
    s.readClock = fakeClock;
    fakeNow = 1000;
    s.doIdle();  // no rate: no request
    EXPECT_EQ(s.redrawClock, 0);

    s.frameRate = 30;
    s.redrawClock = 1000;
    fakeNow = 1033;  // 33 < 33.33
    s.doIdle();
    EXPECT_EQ(s.redrawClock, 1000);
    fakeNow = 1034;
    s.doIdle();
    EXPECT_EQ(s.redrawClock, 1034);
    fakeNow = 1050;
    s.doIdle();
    EXPECT_EQ(s.redrawClock, 1034);

    s.frameRate = -5;
    fakeNow = 9000;
    s.doIdle();
    EXPECT_EQ(s.redrawClock, 1034);
}

TEST(TimedRedraw, ElapsedTimeSurvivesTheClockWrappingAround) {
    PlainScript s;
    s.readClock = fakeClock;
    s.frameRate = 30;
    s.redrawClock = INT32_MAX - 10;
    fakeNow = INT32_MIN + 10;  // 21 ms later
    s.doIdle();
    EXPECT_EQ(s.redrawClock, INT32_MAX - 10);
    fakeNow = INT32_MIN + 30;  // 41 ms later
    s.doIdle();
    EXPECT_EQ(s.redrawClock, INT32_MIN + 30);
}

}  // namespace
