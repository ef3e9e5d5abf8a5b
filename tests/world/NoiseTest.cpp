#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "world/generation/Noise.h"

namespace {

// The reference simplex algorithm, written out in double precision, with its own copy of the
// permutation.
const int ReferencePermutation[256] = {
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  53,  194, 233, 7,   225, 140, 36,  103, 30,
    69,  142, 8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,  0,   26,  197, 62,
    94,  252, 219, 203, 117, 35,  11,  32,  57,  177, 33,  88,  237, 149, 56,  87,  174, 20,  125, 136,
    171, 168, 68,  175, 74,  165, 71,  134, 139, 48,  27,  166, 77,  146, 158, 231, 83,  111, 229, 122,
    60,  211, 133, 230, 220, 105, 92,  41,  55,  46,  245, 40,  244, 102, 143, 54,  65,  25,  63,  161,
    1,   216, 80,  73,  209, 76,  132, 187, 208, 89,  18,  169, 200, 196, 135, 130, 116, 188, 159, 86,
    164, 100, 109, 198, 173, 186, 3,   64,  52,  217, 226, 250, 124, 123, 5,   202, 38,  147, 118, 126,
    255, 82,  85,  212, 207, 206, 59,  227, 47,  16,  58,  17,  182, 189, 28,  42,  223, 183, 170, 213,
    119, 248, 152, 2,   44,  154, 163, 70,  221, 153, 101, 155, 167, 43,  172, 9,   129, 22,  39,  253,
    19,  98,  108, 110, 79,  113, 224, 232, 178, 185, 112, 104, 218, 246, 97,  228, 251, 34,  242, 193,
    238, 210, 144, 12,  191, 179, 162, 241, 81,  51,  145, 235, 249, 14,  239, 107, 49,  192, 214, 31,
    181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,  45,  127, 4,   150, 254, 138, 236, 205, 93,
    222, 114, 67,  29,  24,  72,  243, 141, 128, 195, 78,  66,  215, 61,  156, 180};

int Perm(int i) {
    return ReferencePermutation[i & 255];
}

double ReferenceSimplex(double x, double y, double z) {
    static const int grad[12][3] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0},
                                    {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
                                    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};
    const double F3 = 1.0 / 3.0;
    const double G3 = 1.0 / 6.0;
    const double s = (x + y + z) * F3;
    const int i = static_cast<int>(std::floor(x + s));
    const int j = static_cast<int>(std::floor(y + s));
    const int k = static_cast<int>(std::floor(z + s));
    const double t = (i + j + k) * G3;
    const double x0 = x - (i - t), y0 = y - (j - t), z0 = z - (k - t);
    int o1[3], o2[3];
    if (x0 >= y0) {
        if (y0 >= z0) {
            o1[0] = 1;
            o1[1] = 0;
            o1[2] = 0;
            o2[0] = 1;
            o2[1] = 1;
            o2[2] = 0;
        } else if (x0 >= z0) {
            o1[0] = 1;
            o1[1] = 0;
            o1[2] = 0;
            o2[0] = 1;
            o2[1] = 0;
            o2[2] = 1;
        } else {
            o1[0] = 0;
            o1[1] = 0;
            o1[2] = 1;
            o2[0] = 1;
            o2[1] = 0;
            o2[2] = 1;
        }
    } else {
        if (y0 < z0) {
            o1[0] = 0;
            o1[1] = 0;
            o1[2] = 1;
            o2[0] = 0;
            o2[1] = 1;
            o2[2] = 1;
        } else if (x0 < z0) {
            o1[0] = 0;
            o1[1] = 1;
            o1[2] = 0;
            o2[0] = 0;
            o2[1] = 1;
            o2[2] = 1;
        } else {
            o1[0] = 0;
            o1[1] = 1;
            o1[2] = 0;
            o2[0] = 1;
            o2[1] = 1;
            o2[2] = 0;
        }
    }
    const double corners[4][3] = {{x0, y0, z0},
                                  {x0 - o1[0] + G3, y0 - o1[1] + G3, z0 - o1[2] + G3},
                                  {x0 - o2[0] + 2 * G3, y0 - o2[1] + 2 * G3, z0 - o2[2] + 2 * G3},
                                  {x0 - 1 + 3 * G3, y0 - 1 + 3 * G3, z0 - 1 + 3 * G3}};
    const int offsets[4][3] = {{0, 0, 0}, {o1[0], o1[1], o1[2]}, {o2[0], o2[1], o2[2]}, {1, 1, 1}};
    double sum = 0;
    for (int n = 0; n < 4; ++n) {
        const int g = Perm(i + offsets[n][0] + Perm(j + offsets[n][1] + Perm(k + offsets[n][2]))) % 12;
        const double* d = corners[n];
        double w = 0.6 - d[0] * d[0] - d[1] * d[1] - d[2] * d[2];
        if (w >= 0) {
            w *= w;
            sum += w * w * (grad[g][0] * d[0] + grad[g][1] * d[1] + grad[g][2] * d[2]);
        }
    }
    return 32.0 * sum;
}

TEST(NoiseTest, TheReferencePermutationIsAPermutation) {
    std::set<int> values(std::begin(ReferencePermutation), std::end(ReferencePermutation));
    EXPECT_EQ(values.size(), 256u);
    EXPECT_EQ(*values.begin(), 0);
    EXPECT_EQ(*values.rbegin(), 255);
}

TEST(NoiseTest, SimplexMatchesTheDoublePrecisionReference) {
    std::mt19937 engine(1);
    std::uniform_real_distribution<double> near(-40.0, 40.0);
    double largest = 0.0;
    for (int n = 0; n < 20000; ++n) {
        const double x = near(engine), y = near(engine), z = near(engine);
        const float got = SimplexNoise3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        const double want =
            ReferenceSimplex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        ASSERT_NEAR(got, want, 2e-4) << x << ", " << y << ", " << z;
        largest = std::max(largest, std::fabs(want));
    }
    EXPECT_GT(largest, 0.8); // the range is about [-1, 1], not a scaled copy
    EXPECT_LE(largest, 1.01);
    // Lattice points and their neighbourhood, where the tetrahedron choice flips.
    for (int i = -3; i <= 3; ++i) {
        EXPECT_NEAR(SimplexNoise3(i, 2.0f * i, -i), ReferenceSimplex(i, 2.0 * i, -i), 1e-5);
    }
}

TEST(NoiseTest, OctavesSumAndNormaliseAsTheReferenceDoes) {
    // Single precision loses a little more at the higher octaves' larger coordinates.
    auto reference = [](double octaves, double persistence, double scale, double x, double y, double z) {
        double total = 0, frequency = scale, amplitude = 1, sum = 0;
        for (int i = 0; i < octaves; ++i) {
            total += amplitude * ReferenceSimplex(x * frequency, y * frequency, z * frequency);
            sum += amplitude;
            frequency *= 2;
            amplitude *= persistence;
        }
        return total / sum;
    };
    for (int c = 0; c < 150; c += 7) {
        for (int r = 0; r < 430; r += 13) {
            const float x = c / 24.0f, y = r / 24.0f;
            EXPECT_NEAR(OctaveNoise3(4, 0.5f, 1.0f, x, y, 12.25f), reference(4, 0.5, 1.0, x, y, 12.25),
                        1.5e-3);
            // A fractional count runs the octaves whose index is below it.
            EXPECT_NEAR(OctaveNoise3(2.5f, 0.7f, 0.5f, x, y, -3.5f), reference(3, 0.7, 0.5, x, y, -3.5),
                        1.5e-3);
        }
    }
}

TEST(NoiseTest, OddInputsGiveZeroInsteadOfUndefinedResults) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(SimplexNoise3(inf, 0, 0), 0.0f);
    EXPECT_EQ(SimplexNoise3(0, nan, 0), 0.0f);
    EXPECT_EQ(SimplexNoise3(0, 0, 3e30f), 0.0f);
    EXPECT_TRUE(std::isfinite(SimplexNoise3(2.6e8f, 2.6e8f, 2.6e8f))); // lattice indices stay in an int
    EXPECT_EQ(OctaveNoise3(0, 0.5f, 1, 1, 2, 3), 0.0f);                // no octaves
    EXPECT_EQ(OctaveNoise3(-4, 0.5f, 1, 1, 2, 3), 0.0f);
    EXPECT_EQ(OctaveNoise3(2, -1.0f, 1, 1.3f, 2.1f, 3), 0.0f);        // amplitudes cancel
    EXPECT_TRUE(std::isfinite(OctaveNoise3(1e9f, 0.5f, 1, 1, 2, 3))); // bounded work
}

} // namespace
