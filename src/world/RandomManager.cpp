#include "world/RandomManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

float RandomManager::UniformFloat(float a, float b) {
    if (!(a < b)) {
        return a;
    }
    if (!std::isfinite(b - a)) {
        return WideUniformFloat(a, b);
    }
    for (;;) {
        const float u = static_cast<float>(Next());
        const float value = a + u * (1.0f / 4294967296.0f) * (b - a);
        if (value < b) {
            return value;
        }
    }
}

float RandomManager::WideUniformFloat(float a, float b) {
    // The width overflows a float (or a bound is infinite): a + u * (b - a) would be infinite or NaN
    // and never below b. Infinite bounds stand for the largest finite floats, and the arithmetic is
    // done in double, where every width of two floats is finite.
    const double low =
        std::max(static_cast<double>(a), -static_cast<double>(std::numeric_limits<float>::max()));
    const double high =
        std::min(static_cast<double>(b), static_cast<double>(std::numeric_limits<float>::max()));
    for (;;) {
        const double u = static_cast<double>(Next()) * (1.0 / 4294967296.0);
        const float value = static_cast<float>(low + u * (high - low));
        if (value < b || high < static_cast<double>(b)) {
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
