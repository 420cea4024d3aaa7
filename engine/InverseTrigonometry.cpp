#include <cmath>

#include "engine/DoubleDoublePoly.h"
#include "engine/TrigConstants.h"
#include "engine/Trigonometry.h"

namespace {

// Below 2^-27, asin and atan round to x itself: x^3/6 and x^3/3 are under
// half a unit of x's last place.
constexpr double TINY = 0x1p-27;
// Above 2^60, atan(x) = pi/2 - 1/x rounds to the double nearest pi/2.
constexpr double HUGE_ARGUMENT = 0x1p60;

// atan(v) for 0 <= v <= 1: atan(c) + atan((v - c) / (1 + v*c)) with c the
// nearest k/32, so |u| <= 1/64 and the series to u^17 leaves 2^-110 out.
DoubleDouble AtanUpToOne(DoubleDouble v)
{
    const int k = static_cast<int>(v.hi * 32 + 0.5);
    const double c = k / 32.0;
    DoubleDouble u = Add(v, -c);
    if (k != 0) u = Div(u, Add(Mul(v, c), 1.0));
    const DoubleDouble w = Mul(u, u);
    const DoubleDouble series = Polynomial(w, ATAN_COEFFS, 8, 3);
    return Add(ATAN_TABLE[k], Add(u, Mul(Mul(u, w), series)));
}

// atan(y / x) for y, x >= 0 not both zero, in [0, pi/2].
DoubleDouble AtanOfRatio(DoubleDouble y, DoubleDouble x)
{
    if (y.hi <= x.hi) return AtanUpToOne(Div(y, x));
    return Add(HALF_PI, Negate(AtanUpToOne(Div(x, y))));
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

double Rounded(DoubleDouble v) { return v.hi + v.lo; }

}  // namespace

double ArcSine(double x)
{
    if (std::fabs(x) < TINY) return x;  // keeps the sign of -0
    if (!(std::fabs(x) <= 1)) return std::isnan(x) ? x : NAN;
    const double angle = Rounded(AtanOfRatio({std::fabs(x), 0.0}, RootOfOneMinusSquare(x)));
    return x < 0 ? -angle : angle;
}

double ArcCosine(double x)
{
    if (!(std::fabs(x) <= 1)) return std::isnan(x) ? x : NAN;
    const DoubleDouble angle = AtanOfRatio(RootOfOneMinusSquare(x), {std::fabs(x), 0.0});
    return Rounded(x < 0 ? Add(PI_DD, Negate(angle)) : angle);
}

double ArcTangent(double x)
{
    const double ax = std::fabs(x);
    if (ax < TINY || std::isnan(x)) return x;
    const double angle = ax > HUGE_ARGUMENT ? HALF_PI.hi : Rounded(AtanOfRatio({ax, 0.0}, {1.0, 0.0}));
    return x < 0 ? -angle : angle;
}
