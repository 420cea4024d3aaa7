#!/usr/bin/env python3
"""Two builds of vexilo-calc give the same output for the engine's reference
cases and for every value of the math reference, line by line.

The math reference holds arguments and correctly rounded results as bit
patterns. Each line becomes one formula, FUNCTION(ARGUMENTS)-RESULT with the
numbers written out in plain decimals (the engine reads no exponents and no
unary minus): it prints 0 only when the function hits the result to the last
bit, and the size of the miss otherwise. Non-finite arguments cannot be
written, and a non-finite result is printed as it is.

Usage: builds_agree.py DATA_DIR REFERENCE_CALC -- CALC... (the second build,
with Wine in front for a Windows one)
"""
import decimal
import math
import os
import pathlib
import struct
import subprocess
import sys

# The variables every batch starts with, so that the store cases have
# something to read.
VARIABLES = ["-x", "1", "-y", "2", "-z", "3"]


def words(line):
    """The words of a data line, as tests/support/DataFile.h reads them."""
    out, i = [], 0
    while i < len(line):
        if line[i] == " ":
            i += 1
            continue
        if line[i] != '"':
            j = line.find(" ", i)
            j = len(line) if j < 0 else j
            out.append(line[i:j])
            i = j
            continue
        word, i = "", i + 1
        while i < len(line) and line[i] != '"':
            c = line[i]
            if c == "\\":
                i += 1
                c = line[i]
                if c == "u":
                    c = chr(int(line[i + 1:i + 5], 16))
                    i += 4
                else:
                    c = {"n": "\n", "r": "\r", "t": "\t", "b": "\b"}.get(c, c)
            word += c
            i += 1
        out.append(word)
        i += 1
    return out


def case_formulas(path):
    """(mode, formula) for each formula of a case file; MODE lines set the mode."""
    mode = None
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        kind, *rest = words(line)
        if kind == "mode":
            mode = rest[0]
        elif kind in ("answer", "store", "refuse", "divzero", "variable"):
            yield mode, rest[0]
        elif kind == "name":
            yield mode, "1+" + rest[0]
        elif kind in ("count", "long"):
            if kind == "count":
                yield rest[0], rest[1]
            else:
                prefix, ones, suffix = rest[1], int(rest[2]), rest[3]
                yield rest[0], prefix + "+".join(["1"] * ones) + suffix
        elif kind == "apply":
            yield "D", f"{rest[0]}({','.join(rest[1:-1])})"
        elif kind == "dms":
            yield "D", f"dms({rest[0]})"


def literal(value):
    """A double as the engine reads it back exactly: plain decimal digits,
    negatives as a difference, -0 as a product."""
    if value == 0 and math.copysign(1, value) < 0:
        return "(0*(0-1))"
    text = format(decimal.Decimal(repr(abs(value))), "f")
    return f"(0-{text})" if value < 0 else text


def double(bits):
    return struct.unpack("<d", bytes.fromhex(bits)[::-1])[0]


def math_formulas(folder):
    for path in sorted(folder.glob("*.txt")):
        for line in path.read_text(encoding="utf-8").splitlines():
            if not line or line.startswith("#"):
                continue
            name, *numbers = line.split()
            *arguments, result = map(double, numbers)
            if not all(math.isfinite(a) for a in arguments):
                continue
            call = f"{name}({','.join(literal(a) for a in arguments)})"
            yield call + ("-" + literal(result) if math.isfinite(result) else "")


def run(command, mode, formulas):
    flag = "-i" if mode == "I" else "-d"
    done = subprocess.run(command + [flag, "-v"] + VARIABLES, input="\n".join(formulas) + "\n",
                          capture_output=True, encoding="utf-8", errors="replace")
    clean = lambda text: [line.rstrip("\r") for line in text.splitlines()]
    return clean(done.stdout), clean(done.stderr), done.returncode


def main():
    data = pathlib.Path(sys.argv[1])
    reference = [sys.argv[2]]
    other = sys.argv[sys.argv.index("--") + 1:]
    if not os.access(reference[0], os.X_OK):
        print(f"FAIL no reference build at {reference[0]}: build the release preset first"
              " (cmake --preset release && cmake --build --preset release)")
        return 1
    batches = {"I": [], "D": []}
    for path in sorted((data / "cases").glob("*.txt")):
        for mode, formula in case_formulas(path):
            # A line break would split the formula into two input lines.
            if "\n" not in formula and "\r" not in formula:
                batches[mode].append(formula)
    batches["D"].extend(math_formulas(data / "math"))

    failures = 0
    for mode, formulas in batches.items():
        expected, got = run(reference, mode, formulas), run(other, mode, formulas)
        for stream, want, have in zip(("stdout", "stderr", "exit status"), expected, got):
            if want == have:
                continue
            failures += 1
            if stream == "exit status":
                print(f"FAIL mode {mode}: exit status {have}, the reference {want}")
                continue
            differing = [n for n in range(max(len(want), len(have)))
                         if n >= len(want) or n >= len(have) or want[n] != have[n]]
            print(f"FAIL mode {mode} {stream}: {len(differing)} of {len(want)} lines differ, the first:")
            for n in differing[:5]:
                print(f"  line {n + 1}\n    reference: {want[n] if n < len(want) else '<none>'}"
                      f"\n    this build: {have[n] if n < len(have) else '<none>'}")
        print(f"mode {mode}: {len(formulas)} formulas, {len(expected[0])} output lines")
    if not all(batches.values()):
        print("FAIL no formulas read from", data)
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
