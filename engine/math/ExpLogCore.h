#pragma once

// The double-double exponential and logarithm that exp, log, log10 and pow
// share. Both keep about 90 bits, so rounding their sum once gives the double
// nearest the true value except in very rare cases.

#include "engine/math/DoubleDouble.h"
#include "engine/math/DoubleDoubleTools.h"
#include "engine/math/ExpLogTables.h"

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

// Quicker versions in double arithmetic with a few exact products. FastExp
// gives e^x only for |x.hi| <= 708 (a normal result) and only when its
// rounding is certain with a relative error of `error` (2^-65 at least);
// FastLog, for a positive finite x, has a relative error below 2^-69.
bool FastExp(DoubleDouble x, double error, double* result);
DoubleDouble FastLog(double x);
