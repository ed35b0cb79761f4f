#include <gtest/gtest.h>

#include <set>

#include "core/random.h"

using namespace quillbox::core;

// r * (2^31 - 1), rounded, in bands of 21474836 for 100; the top reaches 100
// (callers draw again).
TEST(RandomIndexDraw, RoundsHalvesToEvenThenDividesIntoEqualBandsThatCanReachN) {
    constexpr double kTop = 2147483647.0;
    std::vector<int> got;
    for (double r : {0.0, 0.5, 21474835 / kTop, 21474836 / kTop, 0.9999999999})
        got.push_back(randomIndexDraw(r, 100));
    EXPECT_EQ(got, (std::vector{0, 50, 0, 1, 100}));
    EXPECT_EQ(randomIndexDraw(2.5 / kTop, 2147483647), 2);
    EXPECT_EQ(randomIndexDraw(3.5 / kTop, 2147483647), 4);
}

// Doubles and singles each fall as often in every tenth of [0, 1), and no
// draw repeats, neither another generator's nor after a reseed in the same
// clock tick.
TEST(ClockRandom, DrawsEvenlyOverTheUnitIntervalWithoutRepeatingAcrossReseeds) {
    ClockRandom random;
    std::set<double> seen{ClockRandom().nextDouble()};
    int tenths[20] = {};
    for (int i = 0; i < 20000; ++i, random.reseedFromClock()) {
        const double d = random.nextDouble(), f = random.nextSingle();
        ASSERT_TRUE(d >= 0 && d < 1 && f >= 0 && f < 1 && seen.insert(d).second) << d << " " << f;
        ++tenths[int(d * 10)], ++tenths[10 + int(f * 10)];
    }
    for (int count : tenths)
        EXPECT_NEAR(count, 2000, 200);
}
