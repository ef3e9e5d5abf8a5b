#pragma once

#include <cmath>
#include <cstdint>

// Sine and cosine of a float angle (radians) to float precision, inline and without the library
// call: drawing needs both for every turned object whose angle changed. Reduces by multiples of
// pi/2 and evaluates short polynomials in double, whose error (below 2e-9) vanishes in the float
// result.
// Angles beyond 1e5 radians, infinities and NaN go to the library.
inline void SinCos(float angle, float& sine, float& cosine) {
    if (!(std::fabs(angle) <= 1e5f)) {
        sine = std::sin(angle);
        cosine = std::cos(angle);
        return;
    }
    constexpr double TwoOverPi = 0.63661977236758134308;
    constexpr double PiOverTwoHigh = 1.5707963267341256142; // pi/2 split in two for an exact product
    constexpr double PiOverTwoLow = 6.0771005065061922e-11;
    const double x = angle;
    // Adding and taking away 1.5 * 2^52 rounds to the nearest integer, without a library call.
    constexpr double Round = 6755399441055744.0;
    const double k = (x * TwoOverPi + Round) - Round;
    const double r = (x - k * PiOverTwoHigh) - k * PiOverTwoLow; // |r| <= pi/4 (a hair more at ties)
    const double r2 = r * r;
    const double s =
        r +
        r * r2 *
            (-1.0 / 6 + r2 * (1.0 / 120 + r2 * (-1.0 / 5040 + r2 * (1.0 / 362880 - r2 * (1.0 / 39916800)))));
    const double c =
        1 + r2 * (-0.5 + r2 * (1.0 / 24 + r2 * (-1.0 / 720 + r2 * (1.0 / 40320 - r2 * (1.0 / 3628800)))));
    // The quadrant picks and signs the two without branches: random angles would defeat prediction.
    const int quadrant = static_cast<int>(static_cast<int64_t>(k) & 3);
    const double both[2] = {s, c};
    const double signs[2] = {1.0, -1.0};
    sine = static_cast<float>(both[quadrant & 1] * signs[quadrant >> 1]);
    cosine = static_cast<float>(both[(quadrant & 1) ^ 1] * signs[((quadrant + 1) >> 1) & 1]);
}
