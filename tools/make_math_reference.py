#!/usr/bin/python3
"""Writes the reference values of the engine's elementary functions.

One file per function, tests/engine/data/math/<name>.txt, one case a line:
    <name> <argument bits> [<argument bits>] <result bits>
with each double as the 16 hexadecimal digits of its IEEE bits. The result is
the double nearest to the true value (ties to even), computed with mpmath at
a precision that grows with the argument and doubled until two precisions
agree; subnormal results are rounded at their own precision here, not by
float(). Special cases (NaN, infinities, signed zeros, outside the domain)
carry the engine's own answers: a NaN argument comes back unchanged, an
invalid operation gives the default NaN fff8000000000000.

Each function has one entry in FUNCTIONS: its argument generator (seeded from
the function's name, so the files never change unless the script does), its
mpmath evaluation and its special cases.
Run: /usr/bin/python3 tools/make_math_reference.py [name ...]
"""
import math
import os
import random
import struct
import sys

import mpmath
from mpmath import mp, mpf

DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "engine", "data", "math")

DEFAULT_NAN = struct.unpack(">d", bytes.fromhex("fff8000000000000"))[0]
INF = math.inf
MAX_DOUBLE = sys.float_info.max
MIN_SUBNORMAL = 5e-324
# A few NaNs that must come back bit for bit.
NANS = [bytes.fromhex("7ff8000000000000"), bytes.fromhex("fff8000000000000"), bytes.fromhex("7ff800000000beef")]


def bits(v):
    return struct.pack(">d", v).hex()


def from_bits(text):
    return struct.unpack(">d", bytes.fromhex(text))[0]


def nan_arguments():
    return [struct.unpack(">d", b)[0] for b in NANS]


# Rounding an mpf to the nearest double.

def round_to_double(v):
    """The double nearest to the mpf v, ties to even, subnormals included."""
    if mpmath.isnan(v):
        raise ValueError("NaN from mpmath")
    if mpmath.isinf(v):
        return math.copysign(INF, v)
    sign, man, exp, bc = v._mpf_
    if man == 0:
        return 0.0
    top = exp + bc                 # v lies in [2^(top-1), 2^top)
    lsb = max(top - 53, -1074)     # weight of the last bit kept
    if exp >= lsb:
        q = man << (exp - lsb)
    else:
        shift = lsb - exp
        q = man >> shift
        rest = man & ((1 << shift) - 1)
        half = 1 << (shift - 1)
        if rest > half or (rest == half and q & 1):
            q += 1
    try:
        result = math.ldexp(q, lsb)
    except OverflowError:
        result = INF
    return -result if sign else result


def correctly_rounded(evaluate, args, precision):
    """Evaluates at increasing precision until two rounds agree."""
    previous = None
    prec = precision
    while True:
        mp.prec = prec
        value = round_to_double(evaluate(*[mpf(a) for a in args]))
        if value == previous:
            return value
        previous = value
        prec *= 2
        if prec > 40000:
            raise RuntimeError("no agreement for %r" % (args,))


def working_precision(args):
    """Enough bits for the argument's own size (trigonometric reduction)."""
    largest = max((abs(math.frexp(a)[1]) for a in args if math.isfinite(a) and a != 0), default=0)
    return 192 + largest


# Argument generators shared by the functions.

def decimals(rng, count, low_exp, high_exp, signed=True):
    """Numbers as people type them: 1 to 6 significant digits."""
    out = []
    for _ in range(count):
        digits = rng.randint(1, 6)
        mantissa = rng.randint(10 ** (digits - 1), 10 ** digits - 1)
        exponent = rng.randint(low_exp, high_exp) - digits + 1
        v = float("%de%d" % (mantissa, exponent))
        out.append(-v if signed and rng.random() < 0.5 else v)
    return out


def uniform(rng, count, low, high):
    return [rng.uniform(low, high) for _ in range(count)]


def log_uniform(rng, count, low_exp, high_exp, signed=True):
    """Doubles with random bits and a binary exponent in [low_exp, high_exp]."""
    out = []
    for _ in range(count):
        v = math.ldexp(1.0 + rng.getrandbits(52) / 2.0 ** 52, rng.randint(low_exp, high_exp))
        out.append(-v if signed and rng.random() < 0.5 else v)
    return out


def subnormals(rng, count, signed=True):
    out = [MIN_SUBNORMAL, 2.2250738585072009e-308, 2.2250738585072014e-308]
    while len(out) < count:
        out.append(math.ldexp(rng.getrandbits(52), -1074))
    return [-v if signed and rng.random() < 0.5 else v for v in out[:count]]


def neighbours(v, steps):
    """v and the doubles up to `steps` units in the last place either side."""
    out = [v]
    up = down = v
    for _ in range(steps):
        up = math.nextafter(up, INF)
        down = math.nextafter(down, -INF)
        out += [up, down]
    return out


def near_multiples(rng, count, unit, largest, steps=2):
    """Doubles nearest k*unit (unit an mpf), k up to `largest`, and neighbours."""
    out = []
    mp.prec = 2200
    while len(out) < count:
        k = rng.randint(1, largest) if rng.random() < 0.7 else rng.randint(1, 64)
        v = round_to_double(k * unit)
        for w in neighbours(v, steps):
            out.append(w if rng.random() < 0.5 else -w)
    return out[:count]


def huge_near_pi_multiples(rng, count):
    """Huge doubles m*2^e close to multiples of pi/2, the hardest reductions:
    m*alpha nearly whole, alpha = 2^e*2/pi mod 1, from the continued
    fraction of alpha."""
    out = [math.ldexp(6381956970095103, 797), 1e22, 1e300, 2.0 ** 1023, MAX_DOUBLE]
    mp.prec = 2200
    while len(out) < count:
        e = rng.randint(-20, 971)
        alpha = mpmath.frac(mpf(2) ** e * 2 / mp.pi)
        p0, q0, p1, q1 = 0, 1, 1, 0
        best = 1
        rest = alpha
        while rest != 0:
            a = int(mpmath.floor(1 / rest))
            rest = 1 / rest - a
            p0, q0, p1, q1 = p1, q1, a * p1 + p0, a * q1 + q0
            if q1 >= 2 ** 53:
                break
            best = q1
        m = best * (2 ** 52 // best + 1) if best < 2 ** 52 else best
        if m < 2 ** 53:
            out.append(math.ldexp(m, e))
    return out[:count]


# The trigonometric functions.

def trig_arguments(rng):
    mp.prec = 2200
    half_pi = mp.pi / 2
    args = []
    args += decimals(rng, 500, -2, 3)                      # 5.418, 2.1, 160
    args += uniform(rng, 300, -4.0, 4.0)
    args += [float(k) for k in range(-40, 41)]             # whole radians
    args += [round_to_double(k * mp.pi / 180) for k in range(-360, 361, 5)]  # whole degrees
    args += near_multiples(rng, 300, half_pi, 1 << 20)
    args += near_multiples(rng, 100, half_pi, 1 << 45)
    args += log_uniform(rng, 300, -30, 52)
    args += log_uniform(rng, 200, 52, 1023)                # huge: exact reduction needed
    args += huge_near_pi_multiples(rng, 100)
    args += log_uniform(rng, 100, -1022, -27)              # tiny
    args += subnormals(rng, 40)
    args += [1.9133664551703666, 5.418, 2.1, math.pi, math.pi / 2, math.pi / 4, 0.7853981633974484]
    return args


def trig_specials(zero_result):
    def special(x):
        if math.isnan(x):
            return x
        if math.isinf(x):
            return DEFAULT_NAN
        if x == 0:
            return zero_result(x)
        return None
    return special


# The inverse trigonometric functions.

def asin_acos_arguments(rng):
    args = []
    args += decimals(rng, 500, -4, -1)
    args += uniform(rng, 500, -1.0, 1.0)
    args += uniform(rng, 200, 0.9, 1.0) + uniform(rng, 200, -1.0, -0.9)
    for v in (1.0, -1.0, 0.5, -0.5, 0.0):
        args += neighbours(v, 12)
    args += [1.0 - math.ldexp(rng.getrandbits(20) + 1, -rng.randint(20, 53)) for _ in range(200)]
    args += [-1.0 + math.ldexp(rng.getrandbits(20) + 1, -rng.randint(20, 53)) for _ in range(100)]
    args += log_uniform(rng, 300, -60, -1)
    args += log_uniform(rng, 100, -1022, -61)
    args += subnormals(rng, 30)
    args += [1.0000000000000002, -1.0000000000000002, 1.5, -2.0, 1e300, -1e-300]
    return args


def inverse_specials(zero_result):
    def special(x):
        if math.isnan(x):
            return x
        if abs(x) > 1:
            return DEFAULT_NAN
        if x == 0:
            return zero_result(x)
        return None
    return special


def atan_arguments(rng):
    args = []
    args += decimals(rng, 600, -3, 4)
    args += uniform(rng, 300, -2.0, 2.0)
    args += log_uniform(rng, 700, -60, 60)
    args += log_uniform(rng, 200, 60, 1023)
    args += log_uniform(rng, 100, -1022, -60)
    args += subnormals(rng, 30)
    for v in (1.0, -1.0, 0.5, 2.0, 1.0 / 16, 16.0):
        args += neighbours(v, 10)
    args += [MAX_DOUBLE, -MAX_DOUBLE, INF, -INF]
    return args


def atan_special(x):
    if math.isnan(x):
        return x
    if x == 0:
        return x
    return None


def signed_zero(x):
    return x


def plus_one(x):
    return 1.0


FUNCTIONS = {
    # name: (argument generator, mpmath evaluation, special cases or None)
    "sin": (trig_arguments, mpmath.sin, trig_specials(signed_zero)),
    "cos": (trig_arguments, mpmath.cos, trig_specials(plus_one)),
    "tan": (trig_arguments, mpmath.tan, trig_specials(signed_zero)),
    "asin": (asin_acos_arguments, mpmath.asin, inverse_specials(signed_zero)),
    "acos": (asin_acos_arguments, mpmath.acos, inverse_specials(lambda x: None)),
    "atan": (atan_arguments, mpmath.atan, atan_special),
}


def special_arguments(arity):
    """±0, ±inf, NaNs and the extremes, each alone and paired."""
    singles = [0.0, -0.0, INF, -INF, MAX_DOUBLE, -MAX_DOUBLE, MIN_SUBNORMAL, -MIN_SUBNORMAL, 1.0, -1.0]
    singles += nan_arguments()
    if arity == 1:
        return [(v,) for v in singles]
    return [(a, b) for a in singles for b in singles]


def write_function(name):
    generate, evaluate, special = FUNCTIONS[name]
    rng = random.Random("vexilo-" + name)
    cases = generate(rng)
    arity = len(cases[0]) if isinstance(cases[0], tuple) else 1
    cases = [c if isinstance(c, tuple) else (c,) for c in cases]
    cases = special_arguments(arity) + cases
    seen = set()
    lines = []
    for args in cases:
        key = tuple(bits(a) for a in args)
        if key in seen:
            continue
        seen.add(key)
        result = special(*args) if special else None
        if result is None:
            result = correctly_rounded(evaluate, args, working_precision(args))
        lines.append(" ".join((name,) + key + (bits(result),)))
    os.makedirs(DATA_DIR, exist_ok=True)
    with open(os.path.join(DATA_DIR, name + ".txt"), "w") as out:
        out.write("\n".join(lines) + "\n")
    print("%s: %d cases" % (name, len(lines)))


def main():
    names = sys.argv[1:] or sorted(FUNCTIONS)
    for name in names:
        if name not in FUNCTIONS:
            sys.exit("unknown function %s (known: %s)" % (name, " ".join(sorted(FUNCTIONS))))
        write_function(name)


if __name__ == "__main__":
    main()
