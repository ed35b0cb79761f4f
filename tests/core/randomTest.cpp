#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/random.h"
#include "support/scriptedRandom.h"

using quillbox::core::ClockRandom;
using quillbox::core::randomIndexDraw;

TEST(RandomIndexDraw, MapsTheUnitIntervalOntoEqualBands) {
    // n = 100: step 21474836.
    EXPECT_EQ(randomIndexDraw(0.0, 100), 0);
    EXPECT_EQ(randomIndexDraw(0.5, 100), 50);
    EXPECT_EQ(randomIndexDraw(21474835.0 / 2147483647.0, 100), 0);
    EXPECT_EQ(randomIndexDraw(21474836.0 / 2147483647.0, 100), 1);
    // The top of the range passes the last index; callers redraw.
    EXPECT_EQ(randomIndexDraw(0.9999999999, 100), 100);
}

TEST(RandomIndexDraw, RoundsHalvesToEven) {
    // r * (2^31 - 1) = 2.5 rounds to 2, 3.5 to 4: with n = 2^31 - 1 the step is 1.
    EXPECT_EQ(randomIndexDraw(2.5 / 2147483647.0, 2147483647), 2);
    EXPECT_EQ(randomIndexDraw(3.5 / 2147483647.0, 2147483647), 4);
}

TEST(RandomIndexDraw, ScriptedValuesHitTheIntendedIndex) {
    for (int n : {3, 59, 100, 1059})
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(randomIndexDraw(quillbox::testing::valueForIndex(i, n), n), i) << n;
}

TEST(ClockRandom, StaysInTheUnitIntervalAndReseedsWithoutRepeating) {
    ClockRandom r;
    std::set<double> seen;
    for (int i = 0; i < 1000; ++i) {
        r.reseedFromClock();  // many reseeds within one clock tick
        const double d = r.nextDouble();
        const float f = r.nextSingle();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
        seen.insert(d);
    }
    EXPECT_GT(seen.size(), 990u);
}
