#include "engine/ExpLog.h"

#include <bit>
#include <cstdint>
#include <limits>

#include "engine/ExpLogCore.h"

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

// x = 2^k m with m in [0.75, 1.5); c, the centre nearest m from a table of
// 97, makes r = m c - 1 small (|r| < 0.0053, computed exactly), and
// log x = k ln2 - log c + log(1 + r), with log(1 + r) = 2 atanh(s),
// s = r / (2 + r), from its odd series to s^11. Near 1 the centre is 1 itself,
// so the result keeps its relative accuracy there.
DoubleDouble LogCore(double x)
{
    int k = 0;
    uint64_t bits = std::bit_cast<uint64_t>(x);
    if (bits < (uint64_t{1} << 52)) {  // subnormal
        bits = std::bit_cast<uint64_t>(x * 0x1p54);
        k = -54;
    }
    k += static_cast<int>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1023} << 52));
    if (m >= 1.5) {
        m *= 0.5;
        ++k;
    }
    const int index = static_cast<int>(((m - 1.0) * 128.0 + ROUNDING_SHIFT) - ROUNDING_SHIFT) + 32;
    const DoubleDouble product = TwoProduct(m, LOG_CENTRE[index]);
    const DoubleDouble r = FastTwoSum(product.hi - 1.0, product.lo);  // exact

    const DoubleDouble s = Div(r, Add(r, 2.0));
    const DoubleDouble s2 = Mul(s, s);
    const DoubleDouble s3 = Mul(s2, s);
    const double z = s2.hi;
    const double tail = s3.hi * z * (2.0 / 5 + z * (2.0 / 7 + z * (2.0 / 9 + z * (2.0 / 11))));
    const DoubleDouble series = Add(Add(DoubleDouble{2.0 * s.hi, 2.0 * s.lo}, Mul(s3, TWO_THIRDS)), tail);

    const DoubleDouble scaled = Add(Mul(LN2, static_cast<double>(k)), LOG_OF_CENTRE[index]);
    return Add(scaled, series);
}

double Exponential(double x)
{
    if (x != x) return x;
    if (x > EXP_OVERFLOW) return INFINITE;
    if (x < EXP_UNDERFLOW) return 0.0;
    const ScaledValue e = ExpCore({x, 0.0});
    return ScaleRound(e.m, e.exponent);
}

double NaturalLog(double x)
{
    if (x != x) return x;
    if (x < 0) return NOT_A_NUMBER;
    if (x == 0) return -INFINITE;
    if (x == INFINITE) return x;
    return LogCore(x).hi;
}

double CommonLog(double x)
{
    if (x != x) return x;
    if (x < 0) return NOT_A_NUMBER;
    if (x == 0) return -INFINITE;
    if (x == INFINITE) return x;
    return Mul(LogCore(x), INV_LN10).hi;
}
