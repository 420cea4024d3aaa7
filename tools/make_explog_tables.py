#!/usr/bin/python3
"""Prints engine/math/ExpLogTables.cpp: the double-double tables of the
exponential and the logarithm, computed with mpmath at 300 bits, as
engine/math/ExpLogTables.h declares them. tools/make_math_tables.sh writes it.
"""
import mpmath

mpmath.mp.prec = 300


def pair(v):
    """v as hi + lo, each a double, hi the double nearest v."""
    hi = float(v)
    lo = float(v - mpmath.mpf(hi))
    return hi, lo


def hexd(v):
    return float(v).hex()


def rows(pairs):
    return "\n".join("    {%s, %s}," % (hexd(h), hexd(l)) for h, l in pairs)


def main():
    coarse = [pair(mpmath.mpf(2) ** (mpmath.mpf(i) / 64)) for i in range(64)]
    fine = [pair(mpmath.mpf(2) ** (mpmath.mpf(j) / 4096)) for j in range(64)]
    centres = [float(1 / (1 + mpmath.mpf(i) / 128)) for i in range(-32, 65)]
    logs = [pair(-mpmath.log(mpmath.mpf(c))) for c in centres]
    out = []
    out.append("// Written by tools/make_explog_tables.py; do not edit by hand.")
    out.append('#include "engine/math/ExpLogTables.h"')
    out.append("")
    out.append("// 2^(i/64) for i = 0..63.")
    out.append("const DoubleDouble EXP2_COARSE[64] = {")
    out.append(rows(coarse))
    out.append("};")
    out.append("")
    out.append("// 2^(j/4096) for j = 0..63.")
    out.append("const DoubleDouble EXP2_FINE[64] = {")
    out.append(rows(fine))
    out.append("};")
    out.append("")
    out.append("// c = the double nearest 1/(1 + i/128) for i = -32..64, and -log(c).")
    out.append("const double LOG_CENTRE[97] = {")
    for k in range(0, len(centres), 4):
        out.append("    " + " ".join(hexd(c) + "," for c in centres[k:k + 4]))
    out.append("};")
    out.append("const DoubleDouble LOG_OF_CENTRE[97] = {")
    out.append(rows(logs))
    out.append("};")
    print("\n".join(out))


if __name__ == "__main__":
    main()
