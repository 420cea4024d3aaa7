#pragma once
#include "engine/math/DoubleDouble.h"

// sum c[k] * z^k for k < count by Horner's rule: the terms from `plainFrom`
// on are small enough to be summed in plain doubles, the rest in
// double-double.
inline DoubleDouble Polynomial(DoubleDouble z, const DoubleDouble* c, int count, int plainFrom)
{
    double tail = c[count - 1].hi;
    for (int k = count - 2; k >= plainFrom; --k) tail = tail * z.hi + c[k].hi;
    DoubleDouble sum = {tail, 0.0};
    for (int k = plainFrom - 1; k >= 0; --k) sum = Add(Mul(sum, z), c[k]);
    return sum;
}

inline DoubleDouble Negate(DoubleDouble a) { return {-a.hi, -a.lo}; }

// The quotient a / b to about 2^-100 beyond the errors of a and b, with one
// division: the remainder a - q*b is exact, its quotient needs few bits.
inline DoubleDouble Quotient(DoubleDouble a, DoubleDouble b)
{
    const double inverse = 1.0 / b.hi;
    const double q = a.hi * inverse;
    const DoubleDouble p = TwoProduct(q, b.hi);
    const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
    return FastTwoSum(q, rest * inverse);
}

// True when every value within `error` of v rounds to the same double, which
// is then stored in `rounded`: the result of a fast evaluation can be
// trusted, or a more accurate one must decide.
inline bool RoundsSafely(DoubleDouble v, double error, double& rounded)
{
    const double below = v.hi + (v.lo - error);
    const double above = v.hi + (v.lo + error);
    rounded = below;
    return below == above;
}
