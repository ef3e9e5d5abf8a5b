#pragma once

#include <cstdint>
#include <random>

// The game's one random source (reached as Service<RandomManager>): a Mersenne Twister seeded once
// at start-up, from the time or from --seed, so that a seed and the same input replay the same game.
class RandomManager {
public:
    explicit RandomManager(uint32_t seed) : engine_(seed) {}

    void Seed(uint32_t seed) { engine_.seed(seed); }

    // One raw 32-bit draw.
    uint32_t Next() { return static_cast<uint32_t>(engine_()); }

    // Uniform in [a, b): a + u * 2^-32 * (b - a), drawn again while rounding lands on b. An empty or
    // reversed range (or a NaN bound) gives a without drawing, instead of redrawing for ever. A range
    // wider than a float can span (an infinite bound, or -3e38 to 3e38) is drawn in double, infinite
    // bounds standing for the largest finite floats.
    float UniformFloat(float a, float b);

    // Succeeds when odds * 4294967295 >= u. Odds of exactly 0 draw nothing and fail.
    bool Chance(float odds);

    // Uniform in [a, b] by rejection sampling (no modulo bias); a >= b gives a without drawing.
    int32_t UniformInt(int32_t a, int32_t b);

private:
    float WideUniformFloat(float a, float b);

    std::mt19937 engine_;
};
