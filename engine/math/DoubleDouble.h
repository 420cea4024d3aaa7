#pragma once

#include <bit>
#include <cstdint>
#include <limits>

// Arithmetic on unevaluated sums of two doubles (about 106 bits), built from
// error-free transformations. Only plain IEEE double operations are used (no
// fused multiply-add, no x87), so every build computes the same bits; the
// engine is compiled with -ffp-contract=off so the compiler cannot fuse them.

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b == sum + error exactly, for any a and b.
inline DoubleDouble TwoSum(double a, double b)
{
    const double sum = a + b;
    const double bPart = sum - a;
    const double error = (a - (sum - bPart)) + (b - bPart);
    return {sum, error};
}

// a + b == sum + error exactly, when |a| >= |b| (or a is zero).
inline DoubleDouble FastTwoSum(double a, double b)
{
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// v == high + low with both halves of at most 26 significant bits (Veltkamp).
// Exact for |v| below about 2^996; callers scale larger values first.
inline DoubleDouble Split(double v)
{
    const double t = 134217729.0 * v;  // 2^27 + 1
    const double high = t - (t - v);
    return {high, v - high};
}

// a * b == product + error exactly (Dekker), barring overflow and underflow.
inline DoubleDouble TwoProduct(double a, double b)
{
    const double product = a * b;
    const DoubleDouble as = Split(a);
    const DoubleDouble bs = Split(b);
    const double error =
        ((as.hi * bs.hi - product) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {product, error};
}

// The double-double sum of a and b, relative error about 2^-104.
inline DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    DoubleDouble r = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(r.hi, r.lo + t.lo);
}

inline DoubleDouble Add(DoubleDouble a, double b)
{
    const DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

// The double-double product of a and b, relative error about 2^-102.
inline DoubleDouble Mul(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble Mul(DoubleDouble a, double b)
{
    const DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

// The double-double quotient a / b, relative error about 2^-100.
inline DoubleDouble Div(DoubleDouble a, DoubleDouble b)
{
    const double q1 = a.hi / b.hi;
    const DoubleDouble r = Add(a, Mul(b, -q1));
    const double q2 = r.hi / b.hi;
    const DoubleDouble r2 = Add(r, Mul(b, -q2));
    const double q3 = r2.hi / b.hi;
    return Add(FastTwoSum(q1, q2), q3);
}

// 2^k for -1074 <= k <= 1023, built from its bits (subnormal below -1022).
inline double TwoToThePower(int k)
{
    if (k < -1022) return std::bit_cast<double>(uint64_t{1} << (k + 1074));
    return std::bit_cast<double>(static_cast<uint64_t>(k + 1023) << 52);
}

// The double nearest (v.hi + v.lo) * 2^k, rounded once: also when the result
// is subnormal, where rounding v.hi first and scaling after would round
// twice. v is positive, normal and normalized (v.hi is the double nearest the
// sum, as every function above leaves it). Overflow gives infinity,
// underflow zero.
inline double ScaleRound(DoubleDouble v, int k)
{
    const int exponent = static_cast<int>(std::bit_cast<uint64_t>(v.hi) >> 52) - 1023;
    const double toUnit = TwoToThePower(-exponent);
    const double hi = v.hi * toUnit;  // now in [1, 2)
    const double lo = v.lo * toUnit;
    const int total = k + exponent;
    if (total > 1023) return std::numeric_limits<double>::infinity();
    if (total >= -1022) return hi * TwoToThePower(total);
    if (total < -1076) return 0.0;
    // A subnormal result is a whole multiple q of 2^-1074: scale so that
    // units are 2^-1074 and round hi + lo to the nearest integer, ties to even.
    const double scale = TwoToThePower(total + 1074);
    const double units = hi * scale;
    const double unitsLow = lo * scale;
    const double shift = 0x1p52;
    double q = (units + shift) - shift;  // nearest integer to units, ties to even
    const double rest = units - q;       // exact, within [-1/2, 1/2]
    if (rest == 0.5 && unitsLow > 0) q += 1.0;
    if (rest == -0.5 && unitsLow < 0) q -= 1.0;
    return q * 0x1p-1074;
}
