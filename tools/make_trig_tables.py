#!/usr/bin/python3
"""Prints engine/math/TrigTables.cpp with mpmath: the bits of 2/pi, pi/2 and
pi as double-doubles, the Taylor coefficients of sin, cos and atan as
double-doubles, atan(k/32) for k = 0..32 and the Taylor coefficients of atan
and asin at k/32, as engine/math/TrigTables.h declares them.
tools/make_math_tables.sh writes it.
"""
from mpmath import mp, mpf, factorial, atan, floor

mp.prec = 3200


def dd(v):
    hi = float(v)
    lo = float(v - mpf(hi))
    return "{%s, %s}" % (hi.hex(), lo.hex())


def table(name, values):
    print("const DoubleDouble %s[%d] = {" % (name, len(values)))
    for v in values:
        print("    %s," % dd(v))
    print("};")


words = []
v = 2 / mp.pi
for _ in range(48):
    v *= 2 ** 32
    w = int(floor(v))
    v -= w
    words.append(w)

print("// Printed by tools/make_trig_tables.py; do not edit by hand.")
print('#include "engine/math/TrigTables.h"\n')
print("// The bits of 2/pi after the point, 32 a word, behind two zero words.")
print("const uint32_t TWO_OVER_PI_WORDS[50] = {")
print("    0x00000000, 0x00000000,")
for i in range(0, 48, 6):
    print("    " + ", ".join("0x%08X" % w for w in words[i:i + 6]) + ",")
print("};\n")
print("const DoubleDouble HALF_PI = %s;" % dd(mp.pi / 2))
print("const DoubleDouble PI_DD = %s;\n" % dd(mp.pi))
print("// (-1)^(k+1) / (2k+3)!: sin(r) = r + r^3 * sum SIN_COEFFS[k] * r^(2k).")
table("SIN_COEFFS", [(-1) ** (k + 1) / factorial(2 * k + 3) for k in range(12)])
print("// (-1)^(k+1) / (2k+2)!: cos(r) = 1 + r^2 * sum COS_COEFFS[k] * r^(2k).")
table("COS_COEFFS", [(-1) ** (k + 1) / factorial(2 * k + 2) for k in range(13)])
print("// (-1)^(k+1) / (2k+3): atan(u) = u + u^3 * sum ATAN_COEFFS[k] * u^(2k).")
table("ATAN_COEFFS", [mpf((-1) ** (k + 1)) / (2 * k + 3) for k in range(8)])
print("// atan(k/32), k = 0..32.")
table("ATAN_TABLE", [atan(mpf(k) / 32) for k in range(33)])
print("// sin(k/64) and cos(k/64), k = 0..52.")
table("SIN_TABLE", [mp.sin(mpf(k) / 64) for k in range(53)])
table("COS_TABLE", [mp.cos(mpf(k) / 64) for k in range(53)])


def leading_bits(v, count):
    """v truncated to `count` significant bits (v in [1, 2) or smaller)."""
    scale = mpf(2) ** (count - 1 - int(floor(mp.log(v, 2))))
    return floor(v * scale) / scale


half_pi = mp.pi / 2
p1 = leading_bits(half_pi, 26)
p2 = leading_bits(half_pi - p1, 26)
p3 = float(half_pi - p1 - p2)
p4 = float(half_pi - p1 - p2 - mpf(p3))
print("// pi/2 = PIO2_1 + PIO2_2 + PIO2_3 + PIO2_4: 26, 26, 53 and 53 bits.")
for name, v in (("PIO2_1", float(p1)), ("PIO2_2", float(p2)), ("PIO2_3", p3), ("PIO2_4", p4)):
    print("const double %s = %s;" % (name, v.hex()))



def taylor_table(name, function, last):
    print("const TaylorRow %s[%d] = {" % (name, last + 1))
    for k in range(last + 1):
        with mp.workprec(320):
            coeffs = mp.taylor(function, mpf(k) / 32, 12)
        rest = ", ".join(float(a if abs(a) > mpf(2) ** -200 else 0).hex() for a in coeffs[2:])  # no rounding noise
        print("    {%s, %s,\n     {%s}}," % (dd(coeffs[0]), dd(coeffs[1]), rest))
    print("};")


print("// atan at c = k/32, k = 0..32.")
taylor_table("ATAN_TAYLOR", mp.atan, 32)
print("// asin at c = k/32, k = 0..14.")
taylor_table("ASIN_TAYLOR", mp.asin, 14)
