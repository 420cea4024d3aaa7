#pragma once
#include "engine/math/DoubleDouble.h"

// x = n * pi/2 + r with |r| <= pi/4 (a hair more at the rounding edge).
struct ReducedAngle {
    DoubleDouble r;  // relative error below 2^-95
    int quadrant;    // n mod 4
};

// Reduces a finite x with |x| > pi/4 exactly, whatever its size: the
// product with 2/pi is taken in integers over a window of 256 bits of 2/pi
// chosen by x's exponent (Payne and Hanek's method), so even x near 2^1024
// keeps the 60-odd bits that cancel when x is close to a multiple of pi/2.
ReducedAngle ReduceHalfPi(double x);
