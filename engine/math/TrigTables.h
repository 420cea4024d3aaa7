#pragma once
#include <cstdint>

#include "engine/math/DoubleDouble.h"

// The constants of the trigonometric functions, computed with mpmath by
// tools/make_trig_tables.py (TrigTables.cpp; tools/make_math_tables.sh).

// The bits of 2/pi after the point, 32 a word, behind two zero words.
extern const uint32_t TWO_OVER_PI_WORDS[50];
extern const DoubleDouble HALF_PI;
extern const DoubleDouble PI_DD;

// Taylor coefficients at 0: sin(r) = r + r^3 * sum SIN_COEFFS[k] * r^(2k),
// cos(r) = 1 + r^2 * sum COS_COEFFS[k] * r^(2k), atan(u) = u + u^3 * sum
// ATAN_COEFFS[k] * u^(2k).
extern const DoubleDouble SIN_COEFFS[12];
extern const DoubleDouble COS_COEFFS[13];
extern const DoubleDouble ATAN_COEFFS[8];
extern const DoubleDouble ATAN_TABLE[33];  // atan(k/32), k = 0..32
extern const DoubleDouble SIN_TABLE[53];   // sin(k/64), k = 0..52
extern const DoubleDouble COS_TABLE[53];   // cos(k/64), k = 0..52

// pi/2 = PIO2_1 + PIO2_2 + PIO2_3 + PIO2_4: 26, 26, 53 and 53 bits.
extern const double PIO2_1;
extern const double PIO2_2;
extern const double PIO2_3;
extern const double PIO2_4;

// Taylor coefficients: f(c + d) = sum a[n] d^n, a0 and a1 as double-doubles.
struct TaylorRow {
    DoubleDouble a0;
    DoubleDouble a1;
    double a[11];  // a[n - 2] for n = 2..12
};
extern const TaylorRow ATAN_TAYLOR[33];  // atan at c = k/32, k = 0..32
extern const TaylorRow ASIN_TAYLOR[15];  // asin at c = k/32, k = 0..14
