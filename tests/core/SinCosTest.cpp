#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/SinCos.h"

namespace {

// Within one float step of the exact values, over several turns either way, quadrant edges included.
TEST(SinCosTest, AgreesWithTheLibraryToFloatPrecision) {
    for (float a = -40.0f; a <= 40.0f; a += 0.0037f) {
        float s = 0.0f;
        float c = 0.0f;
        SinCos(a, s, c);
        EXPECT_NEAR(s, std::sin(static_cast<double>(a)), 6e-8) << a;
        EXPECT_NEAR(c, std::cos(static_cast<double>(a)), 6e-8) << a;
    }
    const float edges[] = {0.0f, 0.78539819f, 1.5707964f, 3.1415927f, 4.712389f, 6.2831855f, -1.5707964f};
    for (float a : edges) {
        float s = 0.0f;
        float c = 0.0f;
        SinCos(a, s, c);
        EXPECT_NEAR(s, std::sin(static_cast<double>(a)), 6e-8) << a;
        EXPECT_NEAR(c, std::cos(static_cast<double>(a)), 6e-8) << a;
    }
}

TEST(SinCosTest, ZeroGivesExactlyZeroAndOne) {
    float s = 1.0f;
    float c = 0.0f;
    SinCos(0.0f, s, c);
    EXPECT_EQ(s, 0.0f);
    EXPECT_EQ(c, 1.0f);
}

TEST(SinCosTest, HugeAndNonFiniteAnglesFollowTheLibrary) {
    for (float a :
         {1e6f, -3e7f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        float s = 0.0f;
        float c = 0.0f;
        SinCos(a, s, c);
        const float ls = std::sin(a);
        const float lc = std::cos(a);
        if (std::isnan(ls)) {
            EXPECT_TRUE(std::isnan(s));
            EXPECT_TRUE(std::isnan(c));
        } else {
            EXPECT_EQ(s, ls);
            EXPECT_EQ(c, lc);
        }
    }
}

} // namespace
