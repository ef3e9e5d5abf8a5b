#pragma once

#include <cstdint>
#include <limits>

// Integer arithmetic that stops at the ends of int instead of overflowing. Game counts (money,
// quantities, storage, hull) may hold any int a saved game or the editor gives them; adding to the
// largest one keeps it largest rather than wrapping it negative.

inline int SaturatedFrom64(int64_t value) {
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

inline int SaturatingAdd(int a, int b) {
    return SaturatedFrom64(static_cast<int64_t>(a) + b);
}

inline int SaturatingSub(int a, int b) {
    return SaturatedFrom64(static_cast<int64_t>(a) - b);
}

inline int SaturatingMul(int a, int b) {
    return SaturatedFrom64(static_cast<int64_t>(a) * b);
}
