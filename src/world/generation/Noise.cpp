#include "world/generation/Noise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Perlin's reference permutation of 0..255, repeated so that perm[i + perm[j]] needs no wrap.
constexpr uint8_t Permutation[256] = {
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

struct Tables {
    uint8_t Perm[512];
    uint8_t PermMod12[512]; // the gradient index, so the hot path takes no modulo
    constexpr Tables() : Perm(), PermMod12() {
        for (int i = 0; i < 512; ++i) {
            Perm[i] = Permutation[i & 255];
            PermMod12[i] = static_cast<uint8_t>(Perm[i] % 12);
        }
    }
};
constexpr Tables Table;

// The twelve edge directions of a cube, in the classic order.
constexpr float Grad[12][3] = {{1, 1, 0},  {-1, 1, 0},  {1, -1, 0}, {-1, -1, 0}, {1, 0, 1},  {-1, 0, 1},
                               {1, 0, -1}, {-1, 0, -1}, {0, 1, 1},  {0, -1, 1},  {0, 1, -1}, {0, -1, -1}};

// 2^28: the three lattice indices then sum without overflowing an int.
constexpr float Limit = 268435456.0f;

inline int FastFloor(float v) {
    const int i = static_cast<int>(v);
    return v < static_cast<float>(i) ? i - 1 : i;
}

[[maybe_unused]] inline float Corner(float x, float y, float z, int gradient) {
    // A corner farther than sqrt(0.6) contributes nothing: clamped rather than branched on.
    float t = std::max(0.6f - x * x - y * y - z * z, 0.0f);
    t *= t;
    const float* g = Grad[gradient];
    return t * t * (g[0] * x + g[1] * y + g[2] * z);
}

// The noise at a point known to lie within +-Limit on every axis.
inline float Simplex(float x, float y, float z) {
    constexpr float F3 = 1.0f / 3.0f;
    constexpr float G3 = 1.0f / 6.0f;

    // Skew into the lattice of cubes and find the cube and the corner offsets within it.
    const float s = (x + y + z) * F3;
    const int i = FastFloor(x + s);
    const int j = FastFloor(y + s);
    const int k = FastFloor(z + s);
    const float t = static_cast<float>(i + j + k) * G3;
    const float x0 = x - (static_cast<float>(i) - t);
    const float y0 = y - (static_cast<float>(j) - t);
    const float z0 = z - (static_cast<float>(k) - t);

    // Which of the six tetrahedra of the cube holds the point: the offsets of its second and third
    // corners, from the order of x0, y0 and z0 (ties as the classic branches break them). Without
    // branches, since that order is as good as random from one sample to the next.
    const bool xy = x0 >= y0;
    const bool yz = y0 >= z0;
    const bool xz = x0 >= z0;
    const int i1 = xy & xz;
    const int j1 = !xy & yz;
    const int k1 = !yz & !xz;
    const int i2 = xy | xz;
    const int j2 = !xy | yz;
    const int k2 = !yz | !xz;

    const int ii = i & 255;
    const int jj = j & 255;
    const int kk = k & 255;
    const uint8_t* perm = Table.Perm;
    const uint8_t* mod12 = Table.PermMod12;
    const int g0 = mod12[ii + perm[jj + perm[kk]]];
    const int g1 = mod12[ii + i1 + perm[jj + j1 + perm[kk + k1]]];
    const int g2 = mod12[ii + i2 + perm[jj + j2 + perm[kk + k2]]];
    const int g3 = mod12[ii + 1 + perm[jj + 1 + perm[kk + 1]]];

#if defined(__SSE2__)
    // The four corners side by side: offsets from the first, their falloff and gradient terms.
    const __m128 g3Steps = _mm_setr_ps(0.0f, G3, 2.0f * G3, 3.0f * G3);
    const __m128 cx =
        _mm_add_ps(_mm_sub_ps(_mm_set1_ps(x0), _mm_cvtepi32_ps(_mm_setr_epi32(0, i1, i2, 1))), g3Steps);
    const __m128 cy =
        _mm_add_ps(_mm_sub_ps(_mm_set1_ps(y0), _mm_cvtepi32_ps(_mm_setr_epi32(0, j1, j2, 1))), g3Steps);
    const __m128 cz =
        _mm_add_ps(_mm_sub_ps(_mm_set1_ps(z0), _mm_cvtepi32_ps(_mm_setr_epi32(0, k1, k2, 1))), g3Steps);
    __m128 falloff = _mm_sub_ps(_mm_set1_ps(0.6f), _mm_mul_ps(cx, cx));
    falloff = _mm_sub_ps(falloff, _mm_mul_ps(cy, cy));
    falloff = _mm_sub_ps(falloff, _mm_mul_ps(cz, cz));
    falloff = _mm_max_ps(falloff, _mm_setzero_ps());
    falloff = _mm_mul_ps(falloff, falloff);
    falloff = _mm_mul_ps(falloff, falloff);
    const __m128 gx = _mm_setr_ps(Grad[g0][0], Grad[g1][0], Grad[g2][0], Grad[g3][0]);
    const __m128 gy = _mm_setr_ps(Grad[g0][1], Grad[g1][1], Grad[g2][1], Grad[g3][1]);
    const __m128 gz = _mm_setr_ps(Grad[g0][2], Grad[g1][2], Grad[g2][2], Grad[g3][2]);
    const __m128 dot = _mm_add_ps(_mm_add_ps(_mm_mul_ps(gx, cx), _mm_mul_ps(gy, cy)), _mm_mul_ps(gz, cz));
    __m128 sum = _mm_mul_ps(falloff, dot);
    sum = _mm_add_ps(sum, _mm_movehl_ps(sum, sum));
    sum = _mm_add_ss(sum, _mm_shuffle_ps(sum, sum, 1));
    return 32.0f * _mm_cvtss_f32(sum);
#else
    const float x1 = x0 - static_cast<float>(i1) + G3;
    const float y1 = y0 - static_cast<float>(j1) + G3;
    const float z1 = z0 - static_cast<float>(k1) + G3;
    const float x2 = x0 - static_cast<float>(i2) + 2.0f * G3;
    const float y2 = y0 - static_cast<float>(j2) + 2.0f * G3;
    const float z2 = z0 - static_cast<float>(k2) + 2.0f * G3;
    const float x3 = x0 - 1.0f + 3.0f * G3;
    const float y3 = y0 - 1.0f + 3.0f * G3;
    const float z3 = z0 - 1.0f + 3.0f * G3;
    return 32.0f * ((Corner(x0, y0, z0, g0) + Corner(x2, y2, z2, g2)) +
                    (Corner(x1, y1, z1, g1) + Corner(x3, y3, z3, g3)));
#endif
}

} // namespace

float SimplexNoise3(float x, float y, float z) {
    if (!(x > -Limit && x < Limit && y > -Limit && y < Limit && z > -Limit && z < Limit)) {
        return 0.0f;
    }
    return Simplex(x, y, z);
}

float OctaveNoise3(float octaves, float persistence, float scale, float x, float y, float z) {
    constexpr int MaxOctaves = 32;
    int count = 0;
    while (count < MaxOctaves && static_cast<float>(count) < octaves) {
        ++count;
    }
    // When the last octave's coordinates are in range every octave's are: one test for them all.
    const float last = std::fabs(scale) * std::ldexp(1.0f, count > 0 ? count - 1 : 0);
    const float extent = std::max(std::fabs(x), std::max(std::fabs(y), std::fabs(z)));
    const bool allInRange = extent * last < Limit;
    float total = 0.0f;
    float frequency = scale;
    float amplitude = 1.0f;
    float amplitudeSum = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float fx = x * frequency;
        const float fy = y * frequency;
        const float fz = z * frequency;
        if (allInRange ||
            (fx > -Limit && fx < Limit && fy > -Limit && fy < Limit && fz > -Limit && fz < Limit)) {
            total += amplitude * Simplex(fx, fy, fz);
        }
        amplitudeSum += amplitude;
        frequency *= 2.0f;
        amplitude *= persistence;
    }
    if (amplitudeSum == 0.0f) {
        return 0.0f;
    }
    return total / amplitudeSum;
}
