#pragma once

// The double-double exponential and logarithm that exp, log, log10 and pow
// share. Both keep about 90 bits, so rounding their sum once gives the double
// nearest the true value except in very rare cases.

#include "engine/DoubleDouble.h"

// Tables written by tools/make_explog_tables.py (engine/ExpLogTables.cpp).
extern const DoubleDouble EXP2_COARSE[64];
extern const DoubleDouble LOG_OF_CENTRE[97];
extern const double LOG_CENTRE[97];
extern const DoubleDouble EXP2_FINE[64];

// e^x as m * 2^exponent, m within about [1, 2).
struct ScaledValue {
    DoubleDouble m;
    int exponent;
};

// Beyond these the exponential is infinite or rounds to zero.
constexpr double EXP_OVERFLOW = 710.0;
constexpr double EXP_UNDERFLOW = -746.0;

// For EXP_UNDERFLOW <= x.hi <= EXP_OVERFLOW.
ScaledValue ExpCore(DoubleDouble x);

// The natural logarithm of a positive finite x (subnormals included).
DoubleDouble LogCore(double x);

// Quicker versions in double arithmetic with a few exact products, about 66
// bits. FastExp gives e^x only for |x.hi| <= 708 (a normal result) and
// only when its rounding is certain; FastLog needs a positive normal x.
bool FastExp(DoubleDouble x, double tolerance, double* result);
DoubleDouble FastLog(double x);

// Whether hi + lo rounds to hi even when the true value lies within the
// computation's error of it: lo, enlarged by the factor tolerance (1 + a
// little), must still vanish next to hi. With a relative error below 2^-e,
// tolerance must exceed 1 + 2^(55-e).
inline bool RoundsSafely(DoubleDouble v, double tolerance) { return v.hi == v.hi + v.lo * tolerance; }
