#pragma once
#include "engine/DoubleDouble.h"

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
