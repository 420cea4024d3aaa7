#include <cmath>

#include "engine/DoubleDoubleTools.h"
#include "engine/TrigConstants.h"
#include "engine/Trigonometry.h"

// Every function is atan(c) + atan(u) with c = k/32 nearest the argument
// and |u| <= 1/64, asin and acos going through the atan of a ratio. A fast
// evaluation (bound 2^-60 relative, the terms add up to about 2^-63)
// answers when its whole error interval rounds to one double; otherwise the
// accurate one (double-double throughout, 2^-100) decides.

namespace {

// Below 2^-27, asin and atan round to x itself: x^3/6 and x^3/3 are under
// half a unit of x's last place.
constexpr double TINY = 0x1p-27;
// Above 2^60, atan(x) = pi/2 - 1/x rounds to the double nearest pi/2.
constexpr double HUGE_ARGUMENT = 0x1p60;
constexpr double FAST_RELATIVE_ERROR = 0x1p-60;

// atan(y/x) for 0 <= y <= x, x > 0: with c = k/32 nearest y/x,
// atan(y/x) = atan(c) + atan(u), u = (y - c*x) / (x + c*y), |u| <= 1/64;
// the series u - u^3/3 + ... - u^11/11 goes in doubles past its first term.
DoubleDouble AtanFast(DoubleDouble y, DoubleDouble x)
{
    const int k = static_cast<int>(y.hi / x.hi * 32 + 0.5);
    const double c = k / 32.0;
    const DoubleDouble cx = TwoProduct(c, x.hi);
    const DoubleDouble numerator = TwoSum(y.hi - cx.hi, (y.lo - cx.lo) - c * x.lo);  // exact difference
    const DoubleDouble cy = TwoProduct(c, y.hi);
    const DoubleDouble sum = FastTwoSum(x.hi, cy.hi);
    const DoubleDouble u = Quotient(numerator, {sum.hi, ((sum.lo + cy.lo) + x.lo) + c * y.lo});
    const double w = u.hi * u.hi;
    const double series =
        u.hi * w * (-0x1.5555555555555p-2 + w * (0x1.999999999999ap-3 + w * (-0x1.2492492492492p-3 +
                    w * (0x1.c71c71c71c71cp-4 - w * 0x1.745d1745d1746p-4))));
    const DoubleDouble base = TwoSum(ATAN_TABLE[k].hi, u.hi);
    return FastTwoSum(base.hi, ((base.lo + ATAN_TABLE[k].lo) + u.lo) + series);
}

// The same in double-double throughout: the series to u^17 leaves 2^-110 out.
DoubleDouble AtanAccurate(DoubleDouble y, DoubleDouble x)
{
    const DoubleDouble v = Div(y, x);
    const int k = static_cast<int>(v.hi * 32 + 0.5);
    const double c = k / 32.0;
    DoubleDouble u = Add(v, -c);
    if (k != 0) u = Div(u, Add(Mul(v, c), 1.0));
    const DoubleDouble w = Mul(u, u);
    const DoubleDouble series = Polynomial(w, ATAN_COEFFS, 8, 3);
    return Add(ATAN_TABLE[k], Add(u, Mul(Mul(u, w), series)));
}

// atan(y / x) for y, x >= 0 not both zero, in [0, pi/2].
template <class AtanMethod>
DoubleDouble AtanOfRatio(DoubleDouble y, DoubleDouble x, AtanMethod atan)
{
    if (y.hi <= x.hi) return atan(y, x);
    return Add(HALF_PI, Negate(atan(x, y)));
}

// sqrt(1 - x^2) for |x| <= 1, from (1 - |x|)(1 + |x|) with one Newton step.
DoubleDouble RootOfOneMinusSquare(double x)
{
    const double ax = std::fabs(x);
    const DoubleDouble square = Mul(TwoSum(1.0, -ax), TwoSum(1.0, ax));
    if (square.hi == 0) return {0.0, 0.0};
    const double root = std::sqrt(square.hi);
    const DoubleDouble rest = Add(square, Negate(TwoProduct(root, root)));
    return FastTwoSum(root, rest.hi / (2 * root));
}

// The fast value when it rounds safely, else the accurate one.
template <class Evaluate>
double RoundedOnce(Evaluate evaluate)
{
    const DoubleDouble fast = evaluate([](DoubleDouble y, DoubleDouble x) { return AtanFast(y, x); });
    double rounded;
    if (RoundsSafely(fast, std::fabs(fast.hi) * FAST_RELATIVE_ERROR, rounded)) return rounded;
    const DoubleDouble accurate = evaluate([](DoubleDouble y, DoubleDouble x) { return AtanAccurate(y, x); });
    return accurate.hi + accurate.lo;
}

}  // namespace

double ArcSine(double x)
{
    if (std::fabs(x) < TINY) return x;  // keeps the sign of -0
    if (!(std::fabs(x) <= 1)) return std::isnan(x) ? x : NAN;
    const DoubleDouble root = RootOfOneMinusSquare(x);
    const double angle = RoundedOnce([&](auto method) {
        return AtanOfRatio({std::fabs(x), 0.0}, root, method);
    });
    return x < 0 ? -angle : angle;
}

double ArcCosine(double x)
{
    if (!(std::fabs(x) <= 1)) return std::isnan(x) ? x : NAN;
    const DoubleDouble root = RootOfOneMinusSquare(x);
    return RoundedOnce([&](auto method) {
        const DoubleDouble angle = AtanOfRatio(root, {std::fabs(x), 0.0}, method);
        return x < 0 ? Add(PI_DD, Negate(angle)) : angle;
    });
}

double ArcTangent(double x)
{
    const double ax = std::fabs(x);
    if (ax < TINY || std::isnan(x)) return x;
    const double angle = ax > HUGE_ARGUMENT ? HALF_PI.hi : RoundedOnce([&](auto method) {
        return AtanOfRatio({ax, 0.0}, {1.0, 0.0}, method);
    });
    return x < 0 ? -angle : angle;
}
