#include "engine/math/ElementaryFunctions.h"

#include <cmath>
#include <cstdint>

#include "engine/math/DoubleDoubleTools.h"
#include "engine/math/TrigTables.h"
#include "engine/math/TrigReduction.h"

// Each function first tries a fast evaluation with an error bound of
// 2^-61 relative (the terms below add up to about 2^-64): if the whole
// interval rounds to one double, that is the answer. Otherwise, in about one
// case in 200, the accurate path decides: exact reduction and series in
// double-double, good to 2^-95.

namespace {

// Below 2^-27, sin and tan round to x itself (x^3/6 and x^3/3 are under
// half a unit of x's last place) and cos to 1.
constexpr double TINY = 0x1p-27;
constexpr double QUARTER_PI = 0x1.921fb54442d18p-1;
// Below 2^27 the quotient n fits 27 bits, so n times the 26-bit leading
// parts of pi/2 is exact (Cody and Waite's reduction).
constexpr double SHORT_LIMIT = 0x1p27;
constexpr double TWO_OVER_PI = 0x1.45f306dc9c883p-1;
constexpr double ROUND_MAGIC = 0x1.8p52;  // adding it rounds to a whole number
constexpr double FAST_RELATIVE_ERROR = 0x1p-61;
// The short reduction's absolute error, from the pi/2 left out past 2^-160
// and the roundings of its low parts.
constexpr double SHORT_REDUCTION_ERROR = 0x1p-100;

struct FastAngle {
    ReducedAngle a;
    double absoluteError;
};

FastAngle ReduceFast(double x)
{
    if (std::fabs(x) <= QUARTER_PI) return {{{x, 0.0}, 0}, 0.0};
    if (!(std::fabs(x) < SHORT_LIMIT)) return {ReduceHalfPi(x), 0.0};
    const double n = (x * TWO_OVER_PI + ROUND_MAGIC) - ROUND_MAGIC;
    const double r1 = x - n * PIO2_1;  // exact: both within a factor 2
    const DoubleDouble r2 = TwoSum(r1, -(n * PIO2_2));
    const DoubleDouble p3 = TwoProduct(n, PIO2_3);
    const DoubleDouble r3 = TwoSum(r2.hi, -p3.hi);
    const double low = ((r2.lo + r3.lo) - p3.lo) - n * PIO2_4;
    const auto whole = static_cast<int64_t>(n);
    return {{TwoSum(r3.hi, low), static_cast<int>(whole & 3)}, SHORT_REDUCTION_ERROR};
}

// sin(r) and cos(r) for |r| <= pi/4 + 2^-20 from the table at a = k/64:
// sin(a+t) = sin a + cos a * t + [sin a (cos t - 1) + cos a (sin t - t)]
// and likewise cos(a+t); the brackets are under 2^-14 and go in doubles.
struct SinCos {
    DoubleDouble sin;
    DoubleDouble cos;
};

SinCos SinCosFast(DoubleDouble r)
{
    const bool negative = r.hi < 0;
    if (negative) r = Negate(r);
    const int k = static_cast<int>(r.hi * 64 + 0.5);
    const DoubleDouble t = TwoSum(r.hi - k / 64.0, r.lo);  // the difference is exact
    const double t2 = t.hi * t.hi;
    const double sinMinusT = t.hi * t2 * (-0x1.5555555555555p-3 + t2 * (0x1.1111111111111p-7 - t2 * 0x1.a01a01a01a01ap-13));
    const double cosMinusOne = t2 * (-0.5 + t2 * (0x1.5555555555555p-5 - t2 * 0x1.6c16c16c16c17p-10));
    const DoubleDouble sa = SIN_TABLE[k], ca = COS_TABLE[k];

    const DoubleDouble caT = TwoProduct(ca.hi, t.hi);
    const DoubleDouble s1 = TwoSum(sa.hi, caT.hi);
    const double sinLow = (((caT.lo + ca.hi * t.lo + ca.lo * t.hi) + sa.lo) + (sa.hi * cosMinusOne + ca.hi * sinMinusT)) + s1.lo;
    const DoubleDouble saT = TwoProduct(sa.hi, t.hi);
    const DoubleDouble c1 = TwoSum(ca.hi, -saT.hi);
    const double cosLow = (((-saT.lo - sa.hi * t.lo - sa.lo * t.hi) + ca.lo) + (ca.hi * cosMinusOne - sa.hi * sinMinusT)) + c1.lo;
    SinCos result{FastTwoSum(s1.hi, sinLow), FastTwoSum(c1.hi, cosLow)};
    if (negative) result.sin = Negate(result.sin);
    return result;
}

// The accurate path: the series up to r^25 (sin) and r^26 (cos) leave less
// than 2^-95 out; terms under 2^-36 are summed in doubles.
DoubleDouble SinOf(DoubleDouble r)
{
    const DoubleDouble z = Mul(r, r);
    const DoubleDouble s = Polynomial(z, SIN_COEFFS, 12, 5);
    return Add(r, Mul(Mul(r, z), s));
}

DoubleDouble CosOf(DoubleDouble r)
{
    const DoubleDouble z = Mul(r, r);
    const DoubleDouble c = Polynomial(z, COS_COEFFS, 13, 6);
    return Add(Mul(z, c), 1.0);
}

ReducedAngle ReduceAccurately(double x)
{
    if (std::fabs(x) <= QUARTER_PI) return {{x, 0.0}, 0};
    return ReduceHalfPi(x);
}

double Rounded(DoubleDouble v) { return v.hi + v.lo; }

double AccurateSine(double x, int shift)
{
    const ReducedAngle a = ReduceAccurately(x);
    const int quadrant = (a.quadrant + shift) & 3;
    const DoubleDouble value = quadrant % 2 == 0 ? SinOf(a.r) : CosOf(a.r);
    return quadrant >= 2 ? -Rounded(value) : Rounded(value);
}

// sin(x + shift * pi/2): cos is sin one quadrant on.
double ShiftedSine(double x, int shift)
{
    const FastAngle f = ReduceFast(x);
    const SinCos v = SinCosFast(f.a.r);
    const int quadrant = (f.a.quadrant + shift) & 3;
    const DoubleDouble& value = quadrant % 2 == 0 ? v.sin : v.cos;
    const double error = std::fabs(value.hi) * FAST_RELATIVE_ERROR + f.absoluteError;
    double rounded;
    if (!RoundsSafely(value, error, rounded)) return AccurateSine(x, shift);
    return quadrant >= 2 ? -rounded : rounded;
}

}  // namespace

double Sine(double x)
{
    if (std::fabs(x) < TINY) return x;  // keeps the sign of -0
    if (!std::isfinite(x)) return x - x;
    return ShiftedSine(x, 0);
}

double Cosine(double x)
{
    if (std::fabs(x) < TINY) return 1.0;
    if (!std::isfinite(x)) return x - x;
    return ShiftedSine(x, 1);
}

double Tangent(double x)
{
    if (std::fabs(x) < TINY) return x;
    if (!std::isfinite(x)) return x - x;
    const FastAngle f = ReduceFast(x);
    const SinCos v = SinCosFast(f.a.r);
    const bool odd = f.a.quadrant % 2 != 0;
    const DoubleDouble q = odd ? Quotient(v.cos, v.sin) : Quotient(v.sin, v.cos);
    // The error of r moves tan by (1 + tan^2) times as much.
    const double error = std::fabs(q.hi) * (2 * FAST_RELATIVE_ERROR) + f.absoluteError * (1 + q.hi * q.hi);
    double rounded;
    if (RoundsSafely(q, error, rounded)) return odd ? -rounded : rounded;
    const ReducedAngle a = ReduceAccurately(x);
    const DoubleDouble s = SinOf(a.r);
    const DoubleDouble c = CosOf(a.r);
    return a.quadrant % 2 == 0 ? Rounded(Div(s, c)) : -Rounded(Div(c, s));
}
