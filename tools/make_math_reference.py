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


# The exponential and the logarithms.

def exp_arguments(rng):
    mp.prec = 200
    args = []
    args += decimals(rng, 600, -3, 2)                      # exp(2.5), exp(0.001)
    args += uniform(rng, 400, -745.2, 709.8)
    args += log_uniform(rng, 400, -60, 9)
    args += uniform(rng, 100, 700.0, 709.8)                # near overflow
    args += uniform(rng, 200, -745.2, -708.0)              # subnormal results
    args += log_uniform(rng, 100, -1022, -61)              # tiny: 1 + x
    args += subnormals(rng, 30)
    args += [float(k) for k in range(-40, 41)]
    args += near_multiples(rng, 200, mp.log(2), 1000, steps=1)  # results near powers of 2
    args += [709.782712893384, 709.7827128933841, -745.1332191019411, -745.1332191019412,
             -708.3964185322641, -708.3964185322642, 1000.0, -1000.0]
    return args


def exp_special(x):
    if math.isnan(x):
        return x
    if x > 710:                                             # far beyond the largest double
        return INF
    if x < -746:                                            # below half the smallest subnormal
        return 0.0
    return None


def log_arguments(rng):
    args = []
    args += decimals(rng, 700, -6, 6, signed=False)        # log(2.5), log(160)
    args += log_uniform(rng, 600, -1022, 1023, signed=False)
    args += [1.0 + math.ldexp(rng.uniform(-1.0, 1.0), -rng.randint(1, 52)) for _ in range(500)]  # near 1
    args += neighbours(1.0, 20)
    args += subnormals(rng, 40, signed=False)
    args += [float(rng.randint(1, 100000)) for _ in range(200)]
    args += [float("1e%d" % k) for k in range(-30, 31)] + [math.ldexp(1.0, k) for k in range(-1074, 1024, 37)]
    args += [2.718281828459045, 160.0, 1000.0, -1.0, -2.5, -1e-300, -INF]
    return args


def log_special(x):
    if math.isnan(x):
        return x
    if x < 0:
        return DEFAULT_NAN
    if x == 0:
        return -INF
    if math.isinf(x):
        return x
    return None


# pow and hypot.

def is_odd_whole(v):
    return math.isfinite(v) and v == math.floor(v) and abs(v) < 2.0 ** 53 and int(v) % 2 == 1


def pow_arguments(rng):
    args = []
    bases = decimals(rng, 500, -2, 3, signed=False)
    args += [(b, e) for b, e in zip(bases, decimals(rng, 500, -1, 1))]
    args += [(float(rng.choice([k for k in range(-30, 31) if k])), float(rng.randint(-40, 40))) for _ in range(300)]
    args += [(3.0, 34.0), (7.0, 19.0), (5.0, 23.0), (-3.0, 33.0), (1.5, 40.0), (134217727.0, 2.0)]  # halfway cases
    near_one = [1.0 + math.ldexp(rng.uniform(-1.0, 1.0), -rng.randint(8, 52)) for _ in range(300)]
    args += [(b, rng.choice([-1, 1]) * 10.0 ** rng.uniform(1, 16)) for b in near_one]   # large exponents
    for _ in range(400):                                    # results from subnormal to overflow
        base = math.ldexp(1.0 + rng.getrandbits(52) / 2.0 ** 52, rng.randint(-20, 19))
        if base == 1.0:
            continue
        args.append((base, rng.uniform(-1100, 1030) / math.log2(base)))
    args += [(-b, float(rng.randint(-60, 60))) for b in decimals(rng, 200, -1, 2, signed=False)]
    args += [(-2.5, 0.5), (-8.0, 1.0 / 3), (-1.0, 1e300), (-1.0, -INF)]
    args += [(10.0, float(k)) for k in range(-30, 31)] + [(2.0, float(k)) for k in range(-1080, 1030, 23)]
    args += [(b, y) for b in decimals(rng, 100, -3, 6, signed=False) for y in (0.5, 1.0 / 3, 0.25, 1.5)]
    args += [(0.76, 185.0), (math.pi, 2.0), (2.0, 0.5), (1e300, 1e300), (1e-300, 1e300), (0.5, -1e300)]
    return args


def pow_evaluate(a, b):
    value = mpmath.power(abs(a), b)
    return -value if a < 0 and is_odd_whole(float(b)) else value


def pow_special(a, b):
    if b == 0 or a == 1:
        return 1.0
    if math.isnan(a):
        return a
    if math.isnan(b):
        return b
    if math.isinf(b):
        if abs(a) == 1:
            return 1.0
        return INF if (abs(a) < 1) == (b < 0) else 0.0
    odd = is_odd_whole(b)
    if a == 0:
        magnitude = INF if b < 0 else 0.0
        return math.copysign(magnitude, a) if odd else magnitude
    if math.isinf(a):
        magnitude = 0.0 if b < 0 else INF
        return -magnitude if odd and a < 0 else magnitude
    if a < 0 and b != math.floor(b):
        return DEFAULT_NAN
    scale = b * math.log2(abs(a))                           # far outside the range of doubles
    if scale > 1030 or scale < -1080:
        magnitude = INF if scale > 0 else 0.0
        return -magnitude if odd and a < 0 else magnitude
    return None


def hypot_arguments(rng):
    args = []
    args += list(zip(decimals(rng, 700, -3, 6), decimals(rng, 700, -3, 6)))
    for _ in range(500):                                    # similar sizes
        e = rng.randint(-1000, 1000)
        args.append((math.ldexp(rng.random() + 0.5, e), math.ldexp(rng.random() + 0.5, e + rng.randint(-30, 30))))
    args += list(zip(log_uniform(rng, 200, -1074, 1023), log_uniform(rng, 200, -1074, 1023)))
    args += list(zip(subnormals(rng, 150), subnormals(rng, 150)))
    args += list(zip(log_uniform(rng, 150, 1015, 1023), log_uniform(rng, 150, 1015, 1023)))   # overflow
    for _ in range(150):                                    # Pythagorean triples, scaled
        m, n = rng.randint(2, 2000), rng.randint(1, 1999)
        if m <= n:
            m, n = n + 1, m
        k = math.ldexp(1.0, rng.randint(-60, 60))
        args.append(((m * m - n * n) * k, 2.0 * m * n * k))
    args += [(float(rng.randint(-10000, 10000)), float(rng.randint(-10000, 10000))) for _ in range(300)]
    args += [(0.0201, 6825.54628), (3.0, 4.0), (1e308, 1e308), (MAX_DOUBLE, 1.0), (1e-310, 1.0)]
    return args


def hypot_special(a, b):
    if math.isinf(a) or math.isinf(b):
        return INF
    if math.isnan(a):
        return a
    if math.isnan(b):
        return b
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
    "exp": (exp_arguments, mpmath.exp, exp_special),
    "log": (log_arguments, mpmath.log, log_special),
    "log10": (log_arguments, mpmath.log10, log_special),
    "pow": (pow_arguments, pow_evaluate, pow_special),
    "hypot": (hypot_arguments, mpmath.hypot, hypot_special),
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
