#include "world/generation/Noise.h"

#include <cstdint>

namespace {

// Perlin's reference permutation of 0..255, repeated so that perm[i + perm[j]] needs no wrap.
constexpr uint8_t Permutation[256] = {
    151, 160, 137, 91, 90, 15, 131, 13, 201, 95, 96, 53, 194, 233, 7, 225, 140, 36, 103, 30,
    69, 142, 8, 99, 37, 240, 21, 10, 23, 190, 6, 148, 247, 120, 234, 75, 0, 26, 197, 62,
    94, 252, 219, 203, 117, 35, 11, 32, 57, 177, 33, 88, 237, 149, 56, 87, 174, 20, 125, 136,
    171, 168, 68, 175, 74, 165, 71, 134, 139, 48, 27, 166, 77, 146, 158, 231, 83, 111, 229, 122,
    60, 211, 133, 230, 220, 105, 92, 41, 55, 46, 245, 40, 244, 102, 143, 54, 65, 25, 63, 161,
    1, 216, 80, 73, 209, 76, 132, 187, 208, 89, 18, 169, 200, 196, 135, 130, 116, 188, 159, 86,
    164, 100, 109, 198, 173, 186, 3, 64, 52, 217, 226, 250, 124, 123, 5, 202, 38, 147, 118, 126,
    255, 82, 85, 212, 207, 206, 59, 227, 47, 16, 58, 17, 182, 189, 28, 42, 223, 183, 170, 213,
    119, 248, 152, 2, 44, 154, 163, 70, 221, 153, 101, 155, 167, 43, 172, 9, 129, 22, 39, 253,
    19, 98, 108, 110, 79, 113, 224, 232, 178, 185, 112, 104, 218, 246, 97, 228, 251, 34, 242, 193,
    238, 210, 144, 12, 191, 179, 162, 241, 81, 51, 145, 235, 249, 14, 239, 107, 49, 192, 214, 31,
    181, 199, 106, 157, 184, 84, 204, 176, 115, 121, 50, 45, 127, 4, 150, 254, 138, 236, 205, 93,
    222, 114, 67, 29, 24, 72, 243, 141, 128, 195, 78, 66, 215, 61, 156, 180};

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

constexpr float Limit = 1073741824.0f; // 2^30

inline int FastFloor(float v) {
    const int i = static_cast<int>(v);
    return v < static_cast<float>(i) ? i - 1 : i;
}

inline float Corner(float x, float y, float z, int gradient) {
    float t = 0.6f - x * x - y * y - z * z;
    if (t < 0.0f) {
        return 0.0f;
    }
    t *= t;
    const float* g = Grad[gradient];
    return t * t * (g[0] * x + g[1] * y + g[2] * z);
}

} // namespace

float SimplexNoise3(float x, float y, float z) {
    if (!(x > -Limit && x < Limit && y > -Limit && y < Limit && z > -Limit && z < Limit)) {
        return 0.0f;
    }
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

    // Which of the six tetrahedra of the cube holds the point.
    int i1, j1, k1, i2, j2, k2;
    if (x0 >= y0) {
        if (y0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        } else if (x0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 0; k2 = 1;
        } else {
            i1 = 0; j1 = 0; k1 = 1; i2 = 1; j2 = 0; k2 = 1;
        }
    } else {
        if (y0 < z0) {
            i1 = 0; j1 = 0; k1 = 1; i2 = 0; j2 = 1; k2 = 1;
        } else if (x0 < z0) {
            i1 = 0; j1 = 1; k1 = 0; i2 = 0; j2 = 1; k2 = 1;
        } else {
            i1 = 0; j1 = 1; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        }
    }

    const float x1 = x0 - static_cast<float>(i1) + G3;
    const float y1 = y0 - static_cast<float>(j1) + G3;
    const float z1 = z0 - static_cast<float>(k1) + G3;
    const float x2 = x0 - static_cast<float>(i2) + 2.0f * G3;
    const float y2 = y0 - static_cast<float>(j2) + 2.0f * G3;
    const float z2 = z0 - static_cast<float>(k2) + 2.0f * G3;
    const float x3 = x0 - 1.0f + 3.0f * G3;
    const float y3 = y0 - 1.0f + 3.0f * G3;
    const float z3 = z0 - 1.0f + 3.0f * G3;

    const int ii = i & 255;
    const int jj = j & 255;
    const int kk = k & 255;
    const uint8_t* perm = Table.Perm;
    const uint8_t* mod12 = Table.PermMod12;
    const int g0 = mod12[ii + perm[jj + perm[kk]]];
    const int g1 = mod12[ii + i1 + perm[jj + j1 + perm[kk + k1]]];
    const int g2 = mod12[ii + i2 + perm[jj + j2 + perm[kk + k2]]];
    const int g3 = mod12[ii + 1 + perm[jj + 1 + perm[kk + 1]]];

    return 32.0f * (Corner(x0, y0, z0, g0) + Corner(x1, y1, z1, g1) + Corner(x2, y2, z2, g2) +
                    Corner(x3, y3, z3, g3));
}

float OctaveNoise3(float octaves, float persistence, float scale, float x, float y, float z) {
    constexpr int MaxOctaves = 32;
    float total = 0.0f;
    float frequency = scale;
    float amplitude = 1.0f;
    float amplitudeSum = 0.0f;
    for (int i = 0; i < MaxOctaves && static_cast<float>(i) < octaves; ++i) {
        total += amplitude * SimplexNoise3(x * frequency, y * frequency, z * frequency);
        amplitudeSum += amplitude;
        frequency *= 2.0f;
        amplitude *= persistence;
    }
    if (amplitudeSum == 0.0f) {
        return 0.0f;
    }
    return total / amplitudeSum;
}
