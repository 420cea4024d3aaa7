#include "engine/math/ElementaryFunctions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/math/ExpLogCore.h"

namespace {

constexpr double INFINITE = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// Adding and subtracting 1.5 * 2^52 rounds a double below 2^51 to a whole number.
constexpr double ROUNDING_SHIFT = 0x1.8p52;

// ln 2 / 4096 in three parts; the first has 30 bits, so its product with any
// quotient below 2^23 is exact.
constexpr double LN2_4096_0 = 0x1.62e42fe800000p-13;
constexpr double LN2_4096_1 = 0x1.e8e7bcd5e4f1ep-43;
constexpr double LN2_4096_2 = -0x1.8cff81a12a17ep-97;
constexpr double INV_LN2_4096 = 0x1.71547652b82fep+12;

// ln 2 / 64 in three parts, the first of 36 bits, for the quicker path.
constexpr double LN2_64_0 = 0x1.62e42fefa0000p-7;
constexpr double LN2_64_1 = 0x1.cf79abc9e3b3ap-46;
constexpr double INV_LN2_64 = 0x1.71547652b82fep+6;
// ln 2 with a first part of 42 bits: its products with exponents are exact.
constexpr double LN2_42 = 0x1.62e42fefa3800p-1;
constexpr double LN2_42_REST = 0x1.ef35793c76730p-45;

// Relative error bounds of the quick paths, for their rounding tests.
constexpr double LOG_ERROR = 0x1p-66;
constexpr double EXP_ERROR = 0x1p-65;

constexpr DoubleDouble LN2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble INV_LN10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};
constexpr DoubleDouble TWO_THIRDS = {0x1.5555555555555p-1, 0x1.5555555555555p-55};

}  // namespace

// x = n ln2/4096 + r with |r| <= ln2/8192; n = 4096 e + 64 i + j gives
// e^x = 2^e * 2^(i/64) * 2^(j/4096) * e^r, and e^r comes from its Taylor
// series to r^5 (the next term is below 2^-90).
ScaledValue ExpCore(DoubleDouble x)
{
    const double n = (x.hi * INV_LN2_4096 + ROUNDING_SHIFT) - ROUNDING_SHIFT;
    const int whole = static_cast<int>(n);  // |n| < 2^23
    const double head = x.hi - n * LN2_4096_0;  // exact
    const DoubleDouble middle = TwoProduct(n, LN2_4096_1);
    DoubleDouble r = TwoSum(head, -middle.hi);
    r = TwoSum(r.hi, r.lo + ((x.lo - middle.lo) - n * LN2_4096_2));

    DoubleDouble square = TwoProduct(r.hi, r.hi);
    square.lo += 2.0 * r.hi * r.lo;
    const DoubleDouble halfSquare = {square.hi * 0.5, square.lo * 0.5};
    const double z = r.hi;
    const double tail = z * z * z * (1.0 / 6 + z * (1.0 / 24 + z * (1.0 / 120)));
    const DoubleDouble expm1 = Add(Add(r, halfSquare), tail);

    const DoubleDouble table = Mul(EXP2_COARSE[(whole >> 6) & 63], EXP2_FINE[whole & 63]);
    return {Add(table, Mul(table, expm1)), whole >> 12};
}

namespace {

// x = 2^k m with m in [0.75, 1.5); c, the centre nearest m from a table of
// 97, makes r = m c - 1 small (|r| < 0.0053, computed exactly), and
// log x = k ln2 - log c + log(1 + r). Near 1 the centre is 1 itself, so the
// result keeps its relative accuracy there.
struct LogReduction {
    int k;
    int index;  // of the centre in LOG_CENTRE and LOG_OF_CENTRE
    DoubleDouble r;
};

LogReduction ReduceForLog(double x)
{
    int k = 0;
    uint64_t bits = std::bit_cast<uint64_t>(x);
    if (bits < (uint64_t{1} << 52)) {  // subnormal
        bits = std::bit_cast<uint64_t>(x * 0x1p54);
        k = -54;
    }
    // With f the fraction bits (the significand 1 + f / 2^52), m is that
    // significand below 1.5 and half of it from 1.5 on; the index rounds
    // (m - 1) * 128 from the bits themselves, without a branch.
    const uint64_t f = bits & ((uint64_t{1} << 52) - 1);
    const bool halved = f >= (uint64_t{1} << 51);
    k += static_cast<int>(bits >> 52) - 1023 + (halved ? 1 : 0);
    const double m = std::bit_cast<double>(f | (halved ? uint64_t{1022} << 52 : uint64_t{1023} << 52));
    const int above = static_cast<int>((f + (uint64_t{1} << 44)) >> 45);
    const int below = -static_cast<int>(((uint64_t{1} << 52) - f + (uint64_t{1} << 45)) >> 46);
    const int index = (halved ? below : above) + 32;
    const DoubleDouble product = TwoProduct(m, LOG_CENTRE[index]);
    return {k, index, FastTwoSum(product.hi - 1.0, product.lo)};  // r exact
}

}  // namespace

// log(1 + r) = 2 atanh(s), s = r / (2 + r), from its odd series to s^11.
DoubleDouble LogCore(double x)
{
    const auto [k, index, r] = ReduceForLog(x);
    const DoubleDouble s = Div(r, Add(r, 2.0));
    const DoubleDouble s2 = Mul(s, s);
    const DoubleDouble s3 = Mul(s2, s);
    const double z = s2.hi;
    const double tail = s3.hi * z * (2.0 / 5 + z * (2.0 / 7 + z * (2.0 / 9 + z * (2.0 / 11))));
    const DoubleDouble series = Add(Add(DoubleDouble{2.0 * s.hi, 2.0 * s.lo}, Mul(s3, TWO_THIRDS)), tail);

    const DoubleDouble scaled = Add(Mul(LN2, static_cast<double>(k)), LOG_OF_CENTRE[index]);
    return Add(scaled, series);
}

// e^x = 2^(n/64) e^r, n = round(x 64/ln2), |r| <= ln2/128; e^r - 1 - r from
// its Taylor series to r^7 (the next term is below 2^-75), 2^(n/64) from the
// table, and the one large product 2^(i/64) r exact.
bool FastExp(DoubleDouble x, double error, double* result)
{
    const double n = (x.hi * INV_LN2_64 + ROUNDING_SHIFT) - ROUNDING_SHIFT;
    const int whole = static_cast<int>(n);  // |n| < 2^16
    const DoubleDouble r = TwoSum(x.hi - n * LN2_64_0, x.lo - n * LN2_64_1);
    const double z = r.hi;
    const double z2 = z * z;
    const double q = z2 * ((0.5 + z * (1.0 / 6)) + z2 * ((1.0 / 24 + z * (1.0 / 120)) + z2 * (1.0 / 720 + z * (1.0 / 5040))));
    const DoubleDouble& t = EXP2_COARSE[whole & 63];
    const DoubleDouble tz = TwoProduct(t.hi, z);
    const double low = t.lo + (tz.lo + t.hi * (q + r.lo) + t.lo * z);
    const DoubleDouble sum = FastTwoSum(t.hi, tz.hi);
    const DoubleDouble y = FastTwoSum(sum.hi, sum.lo + low);
    double rounded;
    if (!RoundsSafely(y, y.hi * error, rounded)) return false;
    *result = rounded * TwoToThePower(whole >> 6);
    return true;
}

// log(1 + r) = r - r^2/2 + r^3 P(r), r^2 exact and P to r^9 (the next term
// is below 2^-79).
DoubleDouble FastLog(double x)
{
    const auto [k, index, r] = ReduceForLog(x);
    const double z = r.hi;
    const DoubleDouble square = TwoProduct(z, z);
    // P in Estrin's form: shorter chains of dependent operations than Horner's.
    const double z2 = square.hi;
    const double z4 = z2 * z2;
    const double cubic = z * z2 *
                         ((1.0 / 3 - z * (1.0 / 4)) + z2 * (1.0 / 5 - z * (1.0 / 6)) +
                          z4 * ((1.0 / 7 - z * (1.0 / 8)) + z2 * (1.0 / 9)));
    const DoubleDouble& centre = LOG_OF_CENTRE[index];
    const double kd = static_cast<double>(k);
    // Each sum's first term is zero or the larger: |k ln2| >= 0.69 > |log c|;
    // |k ln2 - log c| is 0 or at least log(1 + 1/128) > 2^-7.1 > |r|, and
    // r^2/2 < 2^-16.
    const DoubleDouble s1 = FastTwoSum(kd * LN2_42, centre.hi);
    const DoubleDouble s2 = FastTwoSum(s1.hi, z);
    const DoubleDouble s3 = FastTwoSum(s2.hi, -0.5 * square.hi);
    const double low = (s1.lo + s2.lo + s3.lo) + (kd * LN2_42_REST + centre.lo) +
                       ((r.lo - 0.5 * square.lo) - z * r.lo + cubic);
    return FastTwoSum(s3.hi, low);
}

double Exponential(double x)
{
    if (x != x) return x;
    if (x > EXP_OVERFLOW) return INFINITE;
    if (x < EXP_UNDERFLOW) return 0.0;
    double quick;
    if (x >= -708 && x <= 708 && FastExp({x, 0.0}, EXP_ERROR, &quick)) return quick;
    const ScaledValue e = ExpCore({x, 0.0});
    return ScaleRound(e.m, e.exponent);
}

double NaturalLog(double x)
{
    if (x != x) return x;
    if (x < 0) return NOT_A_NUMBER;
    if (x == 0) return -INFINITE;
    if (x == INFINITE) return x;
    const DoubleDouble quick = FastLog(x);
    double rounded;
    if (RoundsSafely(quick, std::fabs(quick.hi) * LOG_ERROR, rounded)) return rounded;
    return LogCore(x).hi;
}

double CommonLog(double x)
{
    if (x != x) return x;
    if (x < 0) return NOT_A_NUMBER;
    if (x == 0) return -INFINITE;
    if (x == INFINITE) return x;
    const DoubleDouble quick = Mul(FastLog(x), INV_LN10);
    double rounded;
    if (RoundsSafely(quick, std::fabs(quick.hi) * LOG_ERROR, rounded)) return rounded;
    return Mul(LogCore(x), INV_LN10).hi;
}
