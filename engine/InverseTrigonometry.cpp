#include <cmath>

#include "engine/DoubleDoubleTools.h"
#include "engine/TrigConstants.h"
#include "engine/Trigonometry.h"

// Every function is the atan of a ratio at most 1 (asin and acos with
// sqrt(1 - x^2)), near k/32. A fast evaluation answers when its whole error
// interval (2^-60 relative) rounds to one double; its worst case is about
// 2^-61.8, near v = 1/64 where the doubles' tail d^2 (a2 + ...) is a
// quarter of the result. Otherwise the accurate evaluation (double-double
// throughout, 2^-100) decides.

namespace {

// Below 2^-27, asin and atan round to x itself: x^3/6 and x^3/3 are under
// half a unit of x's last place.
constexpr double TINY = 0x1p-27;
// Above 2^60, atan(x) = pi/2 - 1/x rounds to the double nearest pi/2.
constexpr double HUGE_ARGUMENT = 0x1p60;
constexpr double FAST_RELATIVE_ERROR = 0x1p-60;

// atan(y/x) for 0 <= y <= x, x > 0: v = y/x = c + d with c = k/32 nearest,
// then atan's Taylor series at c to d^12 (under 2^-75 left out): the first
// two terms in double-double, the rest, under 2^-13, in doubles.
DoubleDouble AtanFast(DoubleDouble y, DoubleDouble x)
{
    // v = q + qLow, the low part left unnormalised (under a unit of q).
    const double inverse = 1.0 / x.hi;
    const double q = y.hi * inverse;
    const DoubleDouble p = TwoProduct(q, x.hi);
    const double qLow = ((((y.hi - p.hi) - p.lo) + y.lo) - q * x.lo) * inverse;
    const int k = static_cast<int>(q * 32 + 0.5);
    const AtanTaylor& t = ATAN_TAYLOR[k];
    const double d = q - k / 32.0;  // exact: within a factor 2, or c = 0
    // The tail a2 + a3 d + ... + a12 d^10 by Estrin's scheme: short chains.
    const double d2 = d * d, d4 = d2 * d2;
    const double low4 = (t.a[0] + t.a[1] * d) + (t.a[2] + t.a[3] * d) * d2;
    const double high4 = (t.a[4] + t.a[5] * d) + (t.a[6] + t.a[7] * d) * d2;
    const double top = (t.a[8] + t.a[9] * d) + t.a[10] * d2;
    const double tail = (low4 + high4 * d4) + top * (d4 * d4);
    const DoubleDouble linear = TwoProduct(t.a1.hi, d);
    const DoubleDouble base = TwoSum(t.a0.hi, linear.hi);
    // qLow enters through the first derivatives: a1 + 2 a2 d + 3 a3 d^2.
    const double slope = t.a1.hi + d * (2 * t.a[0] + 3 * t.a[1] * d);
    const double low = (slope * qLow + t.a1.lo * d) + linear.lo + t.a0.lo + d2 * tail;
    return FastTwoSum(base.hi, base.lo + low);
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

// whole - part for whole >= 2 * part >= 0 (pi/2 or pi less an angle up to pi/4 or pi/2).
DoubleDouble Complement(DoubleDouble whole, DoubleDouble part)
{
    const DoubleDouble s = TwoSum(whole.hi, -part.hi);
    return FastTwoSum(s.hi, (s.lo + whole.lo) - part.lo);
}

// atan(y / x) for y, x >= 0 not both zero, in [0, pi/2].
template <class AtanMethod>
DoubleDouble AtanOfRatio(DoubleDouble y, DoubleDouble x, AtanMethod atan)
{
    if (y.hi <= x.hi) return atan(y, x);
    return Complement(HALF_PI, atan(x, y));
}

// sqrt(1 - x^2) for |x| <= 1, to 2^-100: 1 - x^2 in double-double, then
// one Newton step on its square root.
DoubleDouble RootOfOneMinusSquare(double x)
{
    const DoubleDouble xx = TwoProduct(x, x);
    const DoubleDouble one = TwoSum(1.0, -xx.hi);
    const DoubleDouble square = FastTwoSum(one.hi, one.lo - xx.lo);
    if (square.hi == 0) return {0.0, 0.0};
    const double root = std::sqrt(square.hi);
    const DoubleDouble rr = TwoProduct(root, root);
    const double rest = ((square.hi - rr.hi) - rr.lo) + square.lo;  // the difference is exact
    return FastTwoSum(root, rest * (0.5 / root));
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
        return x < 0 ? Complement(PI_DD, angle) : angle;
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
