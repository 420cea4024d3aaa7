#include <bit>
#include <cstdint>
#include <limits>

#include "engine/math/ElementaryFunctions.h"
#include "engine/math/ExpLogCore.h"

namespace {

constexpr double INFINITE = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
// The quick path's relative error bound: below 2^-62 from the logarithm
// (2^-69 times |y log x| <= 128), 2^-66 from the exponential.
constexpr double POW_ERROR = 0x1p-61;
constexpr uint64_t SIGN_BIT = uint64_t{1} << 63;
constexpr uint64_t FRACTION_BITS = (uint64_t{1} << 52) - 1;

enum class Parity { NOT_WHOLE, EVEN, ODD };

// Whether a finite y is a whole number, and which kind, from its bits.
Parity ParityOf(double y)
{
    const uint64_t bits = std::bit_cast<uint64_t>(y);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    if (exponent < 0) return y == 0 ? Parity::EVEN : Parity::NOT_WHOLE;
    if (exponent > 52) return Parity::EVEN;
    const uint64_t significand = (bits & FRACTION_BITS) | (uint64_t{1} << 52);
    const int fractionWidth = 52 - exponent;
    if (fractionWidth > 0 && (significand & ((uint64_t{1} << fractionWidth) - 1)) != 0) {
        return Parity::NOT_WHOLE;
    }
    return ((significand >> fractionWidth) & 1) != 0 ? Parity::ODD : Parity::EVEN;
}

double Magnitude(double v) { return std::bit_cast<double>(std::bit_cast<uint64_t>(v) & ~SIGN_BIT); }

// A whole number below 2^64 as the exact sum of two doubles, without the
// 64-bit integer conversion (the x87 on 32-bit builds): three pieces of at
// most 26 bits, the first two added exactly, the third with TwoSum.
DoubleDouble FromUnsigned(uint64_t v)
{
    const uint64_t mask = (uint64_t{1} << 26) - 1;
    const double top = static_cast<int32_t>(v >> 52);
    const double middle = static_cast<int32_t>((v >> 26) & mask);
    const double bottom = static_cast<int32_t>(v & mask);
    return TwoSum(top * 0x1p52 + middle * 0x1p26, bottom);
}

// x^n for a whole n in [1, 64] when x = odd * 2^e and odd^n fits 64 bits:
// then the power is known exactly and rounds once. Such powers can fall
// halfway between two doubles (pow(3,34)), where the approximation of
// PowerOfPositive could round either way.
bool ExactPower(double x, double n, double* result)
{
    uint64_t bits = std::bit_cast<uint64_t>(x);
    int exponent = static_cast<int>(bits >> 52);
    uint64_t odd = bits & FRACTION_BITS;
    if (exponent == 0) {
        exponent = 1;
    } else {
        odd |= uint64_t{1} << 52;
    }
    exponent -= 1075;
    const int zeros = std::countr_zero(odd);
    odd >>= zeros;
    exponent += zeros;
    const int count = static_cast<int>(n);
    uint64_t power = 1;
    for (int i = 0; i < count; ++i) {
        if (std::bit_width(power) + std::bit_width(odd) > 64) return false;
        power *= odd;
    }
    *result = ScaleRound(FromUnsigned(power), exponent * count);
    return true;
}

// x^y = e^(y log x) for a positive finite x and a finite y other than 0.
double PowerOfPositive(double x, double y)
{
    if (x == 1) return 1.0;  // from pow(-1, y)
    // Beyond 2^64, |y log x| >= 2^11 for every x but 1: overflow or underflow.
    if (Magnitude(y) >= 0x1p64) return (x > 1) == (y > 0) ? INFINITE : 0.0;
    double exact;
    if (y >= 1 && y <= 64 && ParityOf(y) != Parity::NOT_WHOLE && ExactPower(x, y, &exact)) {
        return exact;
    }
    // The quick logarithm's relative error becomes an absolute one of y log x,
    // hence the bound on its size.
    const DoubleDouble quick = Mul(FastLog(x), y);
    double result;
    if (quick.hi >= -128 && quick.hi <= 128 && FastExp(quick, POW_ERROR, &result)) return result;
    const DoubleDouble exponent = Mul(LogCore(x), y);
    if (exponent.hi > EXP_OVERFLOW) return INFINITE;
    if (exponent.hi < EXP_UNDERFLOW) return 0.0;
    const ScaledValue e = ExpCore(exponent);
    return ScaleRound(e.m, e.exponent);
}

}  // namespace

// The special cases are those of C's pow: any x to the power 0 and 1 to any
// power are 1 (NaN included), a negative x needs a whole y and takes the
// sign from its parity, zeros and infinities follow the limits.
double Power(double x, double y)
{
    if (y == 0 || x == 1) return 1.0;
    if (x != x || y != y) return x + y;
    const double base = Magnitude(x);
    if (y == INFINITE || y == -INFINITE) {
        if (base == 1) return 1.0;  // pow(-1, ±inf)
        return (base < 1) == (y < 0) ? INFINITE : 0.0;
    }
    const Parity parity = ParityOf(y);
    const bool negative = std::bit_cast<uint64_t>(x) >= SIGN_BIT && parity == Parity::ODD;
    double magnitude;
    if (base == 0) {
        magnitude = y < 0 ? INFINITE : 0.0;
    } else if (base == INFINITE) {
        magnitude = y < 0 ? 0.0 : INFINITE;
    } else if (x < 0 && parity == Parity::NOT_WHOLE) {
        return NOT_A_NUMBER;
    } else {
        magnitude = PowerOfPositive(base, y);
    }
    return negative ? -magnitude : magnitude;
}
