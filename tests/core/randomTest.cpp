#include <gtest/gtest.h>

#include <set>

#include "core/random.h"

namespace {

using quillbox::core::ClockRandom;
using quillbox::core::randomIndexDraw;

constexpr double kTop = 2147483647.0;  // 2^31 - 1

TEST(RandomIndexDraw, RoundsHalvesToEvenThenDividesIntoEqualBandsThatCanReachN) {
    EXPECT_EQ(randomIndexDraw(0.0, 100), 0);
    EXPECT_EQ(randomIndexDraw(0.5, 100), 50);
    EXPECT_EQ(randomIndexDraw(21474835 / kTop, 100), 0);  // bands of 21474836
    EXPECT_EQ(randomIndexDraw(21474836 / kTop, 100), 1);
    EXPECT_EQ(randomIndexDraw(0.9999999999, 100), 100);  // callers draw again
    EXPECT_EQ(randomIndexDraw(2.5 / kTop, 2147483647), 2);
    EXPECT_EQ(randomIndexDraw(3.5 / kTop, 2147483647), 4);
}

TEST(ClockRandom, DrawsSpreadEvenlyOverTheUnitInterval) {
    ClockRandom random;
    double sum = 0, sumOfSingles = 0;
    for (int i = 0; i < 10000; ++i) {
        const double d = random.nextDouble();
        const float f = random.nextSingle();
        ASSERT_TRUE(d >= 0 && d < 1 && f >= 0 && f < 1) << d << " " << f;
        sum += d;
        sumOfSingles += f;
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    EXPECT_NEAR(sumOfSingles / 10000, 0.5, 0.02);
}

TEST(ClockRandom, TwoGeneratorsOrReseedsInQuickSuccessionNeverRepeatADraw) {
    ClockRandom first, second;
    EXPECT_NE(first.nextDouble(), second.nextDouble());
    std::set<double> seen;
    for (int i = 0; i < 1000; ++i) {
        first.reseedFromClock();
        seen.insert(first.nextDouble());
    }
    EXPECT_EQ(seen.size(), 1000u);
}

}  // namespace
