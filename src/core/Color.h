#pragma once

#include <cstdint>

// Four bytes in memory order red, green, blue, alpha.
struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    constexpr Color() = default;
    constexpr Color(uint8_t r_, uint8_t g_, uint8_t b_, uint8_t a_ = 255) : r(r_), g(g_), b(b_), a(a_) {}

    static constexpr Color White() { return {255, 255, 255, 255}; }

    // Per-channel product (a * b) / 255, truncated: how tints combine down the tree.
    constexpr Color operator*(Color o) const {
        return {static_cast<uint8_t>(r * o.r / 255), static_cast<uint8_t>(g * o.g / 255),
                static_cast<uint8_t>(b * o.b / 255), static_cast<uint8_t>(a * o.a / 255)};
    }

    // The 32-bit ARGB form the graphics device takes.
    constexpr uint32_t ToArgb() const {
        return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    }

    constexpr bool operator==(const Color&) const = default;
};
