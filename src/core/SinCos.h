#pragma once

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Sine and cosine of a float angle (radians) to float precision, inline and without the library
// call: the quad writer needs both for nearly every rotated quad. Reduces by multiples of pi/2 and
// evaluates short polynomials in double, whose error (below 2e-9) vanishes in the float result.
// Angles beyond 1e5 radians, infinities and NaN go to the library.
namespace sincos_detail {
constexpr double TwoOverPi = 0.63661977236758134308;
constexpr double PiOverTwoHigh = 1.5707963267341256142; // pi/2 split in two for an exact product
constexpr double PiOverTwoLow = 6.0771005065061922e-11;
constexpr float Limit = 1e5f;
// sin(r) = r * S(r^2) and cos(r) = C(r^2), by Taylor coefficients, highest first.
constexpr double S[6] = {-1.0 / 39916800, 1.0 / 362880, -1.0 / 5040, 1.0 / 120, -1.0 / 6, 1.0};
constexpr double C[6] = {-1.0 / 3628800, 1.0 / 40320, -1.0 / 720, 1.0 / 24, -0.5, 1.0};
} // namespace sincos_detail

#if defined(__SSE2__)
// (sin, cos, 0, 0) of the angle. Both polynomials run side by side in the two halves of one
// register, and the quadrant swaps and signs them without branches: random angles would defeat
// prediction.
inline __m128 SinCosPair(float angle) {
    using namespace sincos_detail;
    if (!(std::fabs(angle) <= Limit)) {
        return _mm_setr_ps(std::sin(angle), std::cos(angle), 0.0f, 0.0f);
    }
    const double x = angle;
    const int k = _mm_cvtsd_si32(_mm_set_sd(x * TwoOverPi)); // rounds to nearest
    const double kd = k;
    const double r = (x - kd * PiOverTwoHigh) - kd * PiOverTwoLow; // |r| <= pi/4 (a hair more at ties)
    const __m128d r2 = _mm_set1_pd(r * r);
    __m128d p = _mm_setr_pd(S[0], C[0]);
    for (int i = 1; i < 6; ++i) {
        p = _mm_add_pd(_mm_mul_pd(p, r2), _mm_setr_pd(S[i], C[i]));
    }
    p = _mm_mul_pd(p, _mm_setr_pd(r, 1.0)); // (sin r, cos r)
    // Odd quadrants swap the two; sine is negative in quadrants 2 and 3, cosine in 1 and 2.
    const __m128d swap = _mm_castsi128_pd(_mm_set1_epi64x(-static_cast<int64_t>(k & 1)));
    p = _mm_or_pd(_mm_and_pd(swap, _mm_shuffle_pd(p, p, 1)), _mm_andnot_pd(swap, p));
    const __m128i signs = _mm_set_epi64x(static_cast<int64_t>(static_cast<uint64_t>((k + 1) & 2) << 62),
                                         static_cast<int64_t>(static_cast<uint64_t>(k & 2) << 62));
    return _mm_cvtpd_ps(_mm_xor_pd(p, _mm_castsi128_pd(signs)));
}

inline void SinCos(float angle, float& sine, float& cosine) {
    const __m128 sc = SinCosPair(angle);
    sine = _mm_cvtss_f32(sc);
    cosine = _mm_cvtss_f32(_mm_shuffle_ps(sc, sc, 1));
}
#else
inline void SinCos(float angle, float& sine, float& cosine) {
    using namespace sincos_detail;
    if (!(std::fabs(angle) <= Limit)) {
        sine = std::sin(angle);
        cosine = std::cos(angle);
        return;
    }
    const double x = angle;
    const double k = std::nearbyint(x * TwoOverPi);
    const double r = (x - k * PiOverTwoHigh) - k * PiOverTwoLow;
    const double r2 = r * r;
    double s = S[0];
    double c = C[0];
    for (int i = 1; i < 6; ++i) {
        s = s * r2 + S[i];
        c = c * r2 + C[i];
    }
    s *= r;
    const int quadrant = static_cast<int>(static_cast<int64_t>(k) & 3);
    const double both[2] = {s, c};
    const double signs[2] = {1.0, -1.0};
    sine = static_cast<float>(both[quadrant & 1] * signs[quadrant >> 1]);
    cosine = static_cast<float>(both[(quadrant & 1) ^ 1] * signs[((quadrant + 1) >> 1) & 1]);
}
#endif
