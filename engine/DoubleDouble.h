#pragma once

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
