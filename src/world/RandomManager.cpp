#include "world/RandomManager.h"

float RandomManager::UniformFloat(float a, float b) {
    if (!(a < b)) {
        return a;
    }
    for (;;) {
        const float u = static_cast<float>(Next());
        const float value = a + u * (1.0f / 4294967296.0f) * (b - a);
        if (value < b) {
            return value;
        }
    }
}

bool RandomManager::Chance(float odds) {
    if (odds == 0.0f) {
        return false;
    }
    return static_cast<double>(odds) * 4294967295.0 >= static_cast<double>(Next());
}

int32_t RandomManager::UniformInt(int32_t a, int32_t b) {
    if (a >= b) {
        return a;
    }
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(b) - a) + 1; // 2 .. 2^32
    // The largest multiple of span within 2^32 draws; draws at or above it are thrown back.
    const uint64_t limit = (uint64_t{1} << 32) / span * span;
    for (;;) {
        const uint64_t u = Next();
        if (u < limit) {
            return static_cast<int32_t>(a + static_cast<int64_t>(u % span));
        }
    }
}
