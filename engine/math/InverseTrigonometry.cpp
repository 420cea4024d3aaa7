#include <cmath>

#include "engine/math/DoubleDoubleTools.h"
#include "engine/math/TrigTables.h"
#include "engine/math/ElementaryFunctions.h"

// Every function is the atan of a ratio at most 1 (asin and acos with
// sqrt(1 - x^2)), near k/32; below 0.45 and from 0.6 (through the half
// angle), asin and acos use asin's own series instead. A fast evaluation answers when its whole error interval (2^-60
// relative) rounds to one double; its worst case is about 2^-61.8, near
// v = 1/64 where the doubles' tail d^2 (a2 + ...) is a quarter of the
// result. Otherwise the accurate evaluation (double-double throughout,
// 2^-100) decides.

namespace {

// Below 2^-27, asin and atan round to x itself: x^3/6 and x^3/3 are under
// half a unit of x's last place.
constexpr double TINY = 0x1p-27;
// Above 2^60, atan(x) = pi/2 - 1/x rounds to the double nearest pi/2.
constexpr double HUGE_ARGUMENT = 0x1p60;
constexpr double FAST_RELATIVE_ERROR = 0x1p-60;

// sum t.a[n] (d + dLow)^n for |d| <= 1/64 + a little, dLow under a unit
// of d: the first two terms in double-double, the rest (under 2^-11 of the
// value) in doubles by Estrin's scheme, whose chains are short.
DoubleDouble TaylorSum(const TaylorRow& t, double d, double dLow)
{
    const double d2 = d * d, d4 = d2 * d2;
    const double low4 = (t.a[0] + t.a[1] * d) + (t.a[2] + t.a[3] * d) * d2;
    const double high4 = (t.a[4] + t.a[5] * d) + (t.a[6] + t.a[7] * d) * d2;
    const double top = (t.a[8] + t.a[9] * d) + t.a[10] * d2;
    const double tail = (low4 + high4 * d4) + top * (d4 * d4);
    const DoubleDouble linear = TwoProduct(t.a1.hi, d);
    const DoubleDouble base = TwoSum(t.a0.hi, linear.hi);
    // dLow enters through the first derivatives: a1 + 2 a2 d + 3 a3 d^2.
    const double slope = t.a1.hi + d * (2 * t.a[0] + 3 * t.a[1] * d);
    const double low = (slope * dLow + t.a1.lo * d) + linear.lo + t.a0.lo + d2 * tail;
    return FastTwoSum(base.hi, base.lo + low);
}

// atan(y/x) for 0 <= y <= x, x > 0: v = y/x = c + d with c = k/32 nearest,
// then atan's Taylor series at c to d^12 (under 2^-75 left out).
DoubleDouble AtanFast(DoubleDouble y, DoubleDouble x)
{
    // v = q + qLow, the low part left unnormalised (under a unit of q).
    const double inverse = 1.0 / x.hi;
    const double q = y.hi * inverse;
    const DoubleDouble p = TwoProduct(q, x.hi);
    const double qLow = ((((y.hi - p.hi) - p.lo) + y.lo) - q * x.lo) * inverse;
    const int k = static_cast<int>(q * 32 + 0.5);
    return TaylorSum(ATAN_TAYLOR[k], q - k / 32.0, qLow);  // the difference is exact
}

// asin(v) for 0 <= v < ASIN_SERIES_LIMIT by its Taylor series at the nearest
// k/32: no square root, no division. Beyond, the series would need more
// terms as the singularity at 1 comes closer.
constexpr double ASIN_SERIES_LIMIT = 14.5 / 32;

DoubleDouble AsinFast(double v)
{
    const int k = static_cast<int>(v * 32 + 0.5);
    return TaylorSum(ASIN_TAYLOR[k], v - k / 32.0, 0.0);
}

// atan(y/x) like AtanFast, in double-double throughout: atan(c) + atan(u),
// u = (v - c) / (1 + v*c), the series to u^17 leaving 2^-110 out.
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

// asin(z) for z = sqrt((1 - v)/2), v >= HALF_ANGLE_FROM: z < 0.45 so
// asin's series serves; asin(v) = pi/2 - 2 asin(z) and acos(v) = 2 asin(z).
constexpr double HALF_ANGLE_FROM = 0.6;

DoubleDouble HalfAngleAsin(double v)
{
    const double s = (1.0 - v) * 0.5;  // exact for v >= 1/2
    if (s == 0) return {0.0, 0.0};
    const double root = std::sqrt(s);
    const DoubleDouble rr = TwoProduct(root, root);
    const double rootLow = ((s - rr.hi) - rr.lo) * (0.5 / root);  // one Newton step
    const int k = static_cast<int>(root * 32 + 0.5);
    return TaylorSum(ASIN_TAYLOR[k], root - k / 32.0, rootLow);
}

DoubleDouble Twice(DoubleDouble a) { return {2 * a.hi, 2 * a.lo}; }

// The fast value when it rounds safely, else the accurate one.
template <class Accurate>
double RoundedOnce(DoubleDouble fast, Accurate accurate)
{
    double rounded;
    if (RoundsSafely(fast, std::fabs(fast.hi) * FAST_RELATIVE_ERROR, rounded)) return rounded;
    const DoubleDouble value = accurate();
    return value.hi + value.lo;
}

DoubleDouble AtanFastOf(DoubleDouble y, DoubleDouble x) { return AtanOfRatio(y, x, AtanFast); }
DoubleDouble AtanAccurateOf(DoubleDouble y, DoubleDouble x) { return AtanOfRatio(y, x, AtanAccurate); }

}  // namespace

double ArcSine(double x)
{
    const double ax = std::fabs(x);
    if (ax < TINY) return x;  // keeps the sign of -0
    if (!(ax <= 1)) return std::isnan(x) ? x : NAN;
    const auto accurate = [&] { return AtanAccurateOf({ax, 0.0}, RootOfOneMinusSquare(x)); };
    DoubleDouble fast;
    if (ax < ASIN_SERIES_LIMIT) {
        fast = AsinFast(ax);
    } else if (ax >= HALF_ANGLE_FROM) {
        fast = Add(HALF_PI, Negate(Twice(HalfAngleAsin(ax))));
    } else {
        fast = AtanFastOf({ax, 0.0}, RootOfOneMinusSquare(x));
    }
    const double angle = RoundedOnce(fast, accurate);
    return x < 0 ? -angle : angle;
}

// acos(x) = pi/2 - asin(x) near 0, 2 asin(sqrt((1 - x)/2)) near 1, else the
// atan of sqrt(1 - x^2) / |x|.
double ArcCosine(double x)
{
    const double ax = std::fabs(x);
    if (!(ax <= 1)) return std::isnan(x) ? x : NAN;
    const auto accurate = [&] {
        const DoubleDouble angle = AtanAccurateOf(RootOfOneMinusSquare(x), {ax, 0.0});
        return x < 0 ? Complement(PI_DD, angle) : angle;
    };
    if (ax < ASIN_SERIES_LIMIT) {
        const DoubleDouble asin = AsinFast(ax);
        return RoundedOnce(x < 0 ? Add(HALF_PI, asin) : Complement(HALF_PI, asin), accurate);
    }
    const DoubleDouble angle =
        ax >= HALF_ANGLE_FROM ? Twice(HalfAngleAsin(ax)) : AtanFastOf(RootOfOneMinusSquare(x), {ax, 0.0});
    return RoundedOnce(x < 0 ? Complement(PI_DD, angle) : angle, accurate);
}

double ArcTangent(double x)
{
    const double ax = std::fabs(x);
    if (ax < TINY || std::isnan(x)) return x;
    const double angle = ax > HUGE_ARGUMENT ? HALF_PI.hi
                                            : RoundedOnce(AtanFastOf({ax, 0.0}, {1.0, 0.0}),
                                                          [&] { return AtanAccurateOf({ax, 0.0}, {1.0, 0.0}); });
    return x < 0 ? -angle : angle;
}
