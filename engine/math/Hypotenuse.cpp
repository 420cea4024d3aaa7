#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "engine/math/DoubleDouble.h"
#include "engine/math/ElementaryFunctions.h"

namespace {

// The square root of sum to about 2^-104: the double root and one Newton
// correction from the exact residual sum - root^2.
DoubleDouble RoundedRoot(DoubleDouble sum)
{
    const double root = std::sqrt(sum.hi);
    const DoubleDouble rootSquare = TwoProduct(root, root);
    const double residual = ((sum.hi - rootSquare.hi) - rootSquare.lo) + sum.lo;
    return FastTwoSum(root, residual / (2.0 * root));
}

}  // namespace

// sqrt(x^2 + y^2) correctly rounded: both are scaled so that the larger lies
// in [1, 2), the sum of squares is exact to about 2^-104, and the square root
// of that sum gets one Newton correction in double-double before the single
// final rounding (which also scales back, subnormal results included).
double Hypotenuse(double x, double y)
{
    const double inf = std::numeric_limits<double>::infinity();
    if (x == inf || x == -inf || y == inf || y == -inf) return inf;  // even with a NaN
    if (x != x || y != y) return x + y;
    double big = std::fabs(x);
    double small = std::fabs(y);
    if (small > big) std::swap(big, small);
    // When small < big * 2^-60 its square is below half an ulp of big^2.
    if (small == 0 || small < big * 0x1p-60) return big;

    // Between 2^-450 and 2^450 no square overflows or underflows: no scaling.
    if (big >= 0x1p-450 && big <= 0x1p450) return RoundedRoot(Add(TwoProduct(big, big), TwoProduct(small, small))).hi;

    int exponent = 0;
    if (big < 0x1p-1000) {  // lift subnormals first: 2^1074 is no double
        big *= 0x1p600;
        small *= 0x1p600;
        exponent = -600;
    }
    const int bigExponent = static_cast<int>(std::bit_cast<uint64_t>(big) >> 52) - 1023;
    const double toUnit = TwoToThePower(-bigExponent);
    big *= toUnit;  // exact, and so is small's scaling: small >= big * 2^-60
    small *= toUnit;
    exponent += bigExponent;

    return ScaleRound(RoundedRoot(Add(TwoProduct(big, big), TwoProduct(small, small))), exponent);
}
