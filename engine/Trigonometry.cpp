#include "engine/Trigonometry.h"

#include <cmath>
#include <cstdint>

#include "engine/DoubleDouble.h"

namespace {

// π/2 as the sum of four doubles (212 bits), and 2/π.
constexpr double PIO2_0 = 0x1.921fb54442d18p+0;
constexpr double PIO2_1 = 0x1.1a62633145c07p-54;
constexpr double PIO2_2 = -0x1.f1976b7ed8fbcp-110;
constexpr double PIO2_3 = 0x1.4cf98e804177dp-164;
constexpr double TWO_OVER_PI = 0x1.45f306dc9c883p-1;

// From 2^52 up every double is a whole number and the quotient n no longer
// fits the exact products below; such arguments go to the library as they are.
constexpr double REDUCTION_LIMIT = 0x1p52;

// The reduced argument r = x - n·π/2 with |r| about π/4 at most, as
// high + low, and the quadrant n mod 4.
struct Reduced {
    double high;
    double low;
    int quadrant;
};

Reduced Reduce(double x)
{
    const double n = std::nearbyint(x * TWO_OVER_PI);
    DoubleDouble p = TwoProduct(n, PIO2_0);
    double high = x - p.hi;  // exact: x and n·π/2 are within a factor of 2
    double low = 0.0;
    auto subtract = [&](double v) {
        const DoubleDouble s = TwoSum(high, -v);
        high = s.hi;
        low += s.lo;
    };
    subtract(p.lo);
    p = TwoProduct(n, PIO2_1);
    subtract(p.hi);
    subtract(p.lo);
    p = TwoProduct(n, PIO2_2);
    subtract(p.hi);
    low -= p.lo + n * PIO2_3;

    const DoubleDouble sum = TwoSum(high, low);
    Reduced reduced;
    reduced.high = sum.hi;
    reduced.low = sum.lo;
    const auto whole = static_cast<int64_t>(n);
    reduced.quadrant = static_cast<int>(((whole % 4) + 4) % 4);
    return reduced;
}

bool NeedsLibrary(double x)
{
    return !(std::fabs(x) < REDUCTION_LIMIT);  // also infinities and NaN
}

// sin and cos of high + low, to first order in the tiny low part.
double SinOf(const Reduced& r) { return std::sin(r.high) + r.low * std::cos(r.high); }
double CosOf(const Reduced& r) { return std::cos(r.high) - r.low * std::sin(r.high); }

}  // namespace

double Sine(double x)
{
    if (NeedsLibrary(x)) return std::sin(x);
    const Reduced r = Reduce(x);
    switch (r.quadrant) {
    case 0: return SinOf(r);
    case 1: return CosOf(r);
    case 2: return -SinOf(r);
    default: return -CosOf(r);
    }
}

double Cosine(double x)
{
    if (NeedsLibrary(x)) return std::cos(x);
    const Reduced r = Reduce(x);
    switch (r.quadrant) {
    case 0: return CosOf(r);
    case 1: return -SinOf(r);
    case 2: return -CosOf(r);
    default: return SinOf(r);
    }
}

double Tangent(double x)
{
    if (NeedsLibrary(x)) return std::tan(x);
    const Reduced r = Reduce(x);
    const double t = std::tan(r.high);
    const double tangent = t + r.low * (1 + t * t);
    return r.quadrant % 2 == 0 ? tangent : -1 / tangent;
}
