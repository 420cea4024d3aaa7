#include "engine/Trigonometry.h"

#include <cmath>

#include "engine/DoubleDoublePoly.h"
#include "engine/TrigConstants.h"
#include "engine/TrigReduction.h"

namespace {

// Below 2^-27, sin and tan round to x itself (x^3/6 and x^3/3 are under
// half a unit of x's last place) and cos to 1.
constexpr double TINY = 0x1p-27;
constexpr double QUARTER_PI = 0x1.921fb54442d18p-1;

// For |r| <= pi/4 + a little: the series up to r^25 (sin) and r^26 (cos)
// leave less than 2^-95 out; terms under 2^-36 are summed in doubles.
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

ReducedAngle Reduce(double x)
{
    if (std::fabs(x) <= QUARTER_PI) return {{x, 0.0}, 0};
    return ReduceHalfPi(x);
}

double Rounded(DoubleDouble v) { return v.hi + v.lo; }

}  // namespace

double Sine(double x)
{
    if (std::fabs(x) < TINY) return x;  // keeps the sign of -0
    if (!std::isfinite(x)) return x - x;
    const ReducedAngle a = Reduce(x);
    switch (a.quadrant) {
    case 0: return Rounded(SinOf(a.r));
    case 1: return Rounded(CosOf(a.r));
    case 2: return -Rounded(SinOf(a.r));
    default: return -Rounded(CosOf(a.r));
    }
}

double Cosine(double x)
{
    if (std::fabs(x) < TINY) return 1.0;
    if (!std::isfinite(x)) return x - x;
    const ReducedAngle a = Reduce(x);
    switch (a.quadrant) {
    case 0: return Rounded(CosOf(a.r));
    case 1: return -Rounded(SinOf(a.r));
    case 2: return -Rounded(CosOf(a.r));
    default: return Rounded(SinOf(a.r));
    }
}

double Tangent(double x)
{
    if (std::fabs(x) < TINY) return x;
    if (!std::isfinite(x)) return x - x;
    const ReducedAngle a = Reduce(x);
    const DoubleDouble s = SinOf(a.r);
    const DoubleDouble c = CosOf(a.r);
    return a.quadrant % 2 == 0 ? Rounded(Div(s, c)) : -Rounded(Div(c, s));
}
