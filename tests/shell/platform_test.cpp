// The platform's wall clocks: both count from 1970 and agree with each other.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/platform/wallclock.h"

namespace {

TEST(WallClock, PreciseAndWholeSecondsAgreeAndCountFrom1970) {
    WallClock& clock = systemWallClock();
    double whole = clock.wholeSeconds();
    double precise = clock.preciseSeconds();
    double wholeAfter = clock.wholeSeconds();
    EXPECT_EQ(whole, std::floor(whole));
    // Somewhere between 2020 and 2100: a wrong epoch is off by centuries.
    EXPECT_GT(whole, 1577836800.0);
    EXPECT_LT(whole, 4102444800.0);
    EXPECT_GE(std::floor(precise) + 1.0, whole);
    EXPECT_LE(std::floor(precise), wholeAfter + 1.0);
}

TEST(WallClock, CombinesSecondsAndMicroseconds) {
    EXPECT_DOUBLE_EQ(combinePreciseSeconds(100, 250000), 100.25);
    EXPECT_DOUBLE_EQ(combinePreciseSeconds(1700000000, 999999), 1700000000.999999);
    EXPECT_DOUBLE_EQ(combinePreciseSeconds(0, 0), 0.0);
}

}  // namespace
