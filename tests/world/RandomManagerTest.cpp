#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include <climits>
#include <set>

#include "world/RandomManager.h"

namespace {

TEST(RandomManagerTest, ChanceOfZeroDrawsNothingAndChanceOfOneAlwaysSucceeds) {
    RandomManager a(11);
    RandomManager b(11);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(a.Chance(0.0f));
    }
    EXPECT_EQ(a.Next(), b.Next()); // nothing was drawn
    for (int i = 0; i < 10000; ++i) {
        ASSERT_TRUE(a.Chance(1.0f));
    }
    int hits = 0;
    for (int i = 0; i < 10000; ++i) {
        hits += a.Chance(0.25f) ? 1 : 0;
    }
    EXPECT_NEAR(hits, 2500, 200);
}

TEST(RandomManagerTest, UniformIntCoversItsClosedRangeAndAReversedRangeGivesItsStart) {
    RandomManager random(3);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int n = random.UniformInt(3, 5);
        ASSERT_GE(n, 3);
        ASSERT_LE(n, 5);
        seen.insert(n);
    }
    EXPECT_EQ(seen.size(), 3u);

    RandomManager reference(3);
    RandomManager used(3);
    EXPECT_EQ(used.UniformInt(5, 3), 5);
    EXPECT_EQ(used.UniformInt(4, 4), 4);
    EXPECT_EQ(used.Next(), reference.Next()); // no draw for an empty range
    // The whole int range is one draw wide and may not overflow.
    for (int i = 0; i < 100; ++i) {
        const int n = used.UniformInt(INT_MIN, INT_MAX);
        (void)n;
    }
    EXPECT_LE(used.UniformInt(INT_MAX - 1, INT_MAX), INT_MAX);
}

TEST(RandomManagerTest, UniformFloatStaysBelowItsEndAndAnEmptyRangeDoesNotSpin) {
    RandomManager random(5);
    for (int i = 0; i < 100000; ++i) {
        const float v = random.UniformFloat(-10000.0f, 10000.0f);
        ASSERT_GE(v, -10000.0f);
        ASSERT_LT(v, 10000.0f);
    }
    EXPECT_EQ(random.UniformFloat(2.0f, 2.0f), 2.0f);
    EXPECT_EQ(random.UniformFloat(3.0f, 1.0f), 3.0f);
    // Ranges wider than a float spans (content may hold any float) end too, inside the range.
    const float inf = std::numeric_limits<float>::infinity();
    const float most = std::numeric_limits<float>::max();
    for (const auto& [a, b] :
         {std::pair{0.0f, inf}, {-inf, inf}, {-3e38f, 3e38f}, {-inf, 1.0f}, {-most, most}}) {
        for (int i = 0; i < 1000; ++i) {
            const float v = random.UniformFloat(a, b);
            ASSERT_TRUE(std::isfinite(v) && v >= a && v < b) << a << ".." << b << ": " << v;
        }
    }
}

TEST(RandomManagerTest, TheSameSeedGivesTheSameSequence) {
    RandomManager a(42);
    RandomManager b(42);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(a.Next(), b.Next());
    }
    b.Seed(43);
    a.Seed(42);
    EXPECT_NE(a.Next(), b.Next());
}

} // namespace
