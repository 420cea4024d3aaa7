#!/usr/bin/env python3
"""Applies deliberate one-line faults to the product code, one at a time,
rebuilds, runs the tests that cover the changed file and reports which faults
no test noticed. Run it through tools/mutate.sh, which builds the presets and
starts the virtual display and the Wine server the Windows tests need.

The faults are listed in tools/mutations.txt, a block each:

    [name]
    file: engine/IntEvaluate.cpp
    find: case INT_ADD: return Wrap(a + b);
    replace: case INT_ADD: return Wrap(a - b);
    tests: host engine_tests

`find` must occur exactly once in the file (leading blanks do not count);
`tests` names a preset (host or win64) and a CTest name pattern.

    tools/mutate.sh                 every mutation
    tools/mutate.sh NAME...         the named ones
"""
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "tools" / "mutations.txt"
# Everything the covering tests may need, built once per mutation.
TIMEOUT_S = 900


def parse(text):
    mutations, current = [], None
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        header = re.fullmatch(r"\[(.+)\]", line.strip())
        if header:
            current = {"name": header.group(1), "line": number}
            mutations.append(current)
            continue
        key, sep, value = line.partition(":")
        if not sep or current is None or key not in ("file", "find", "replace", "tests"):
            sys.exit(f"{LIST.name}:{number}: expected [name] or file/find/replace/tests: ...")
        current[key] = value.strip()
    for m in mutations:
        missing = {"file", "find", "replace", "tests"} - m.keys()
        if missing:
            sys.exit(f"{LIST.name}:{m['line']}: [{m['name']}] lacks {', '.join(sorted(missing))}")
    return mutations


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", timeout=TIMEOUT_S, **kwargs)


def mutate_and_test(m):
    """'caught', 'survived', 'no build' (the fault does not compile) or 'stale'."""
    path = ROOT / m["file"]
    original = path.read_text(encoding="utf-8")
    if original.count(m["find"]) != 1:
        return "stale"
    preset, _, pattern = m["tests"].partition(" ")
    path.write_text(original.replace(m["find"], m["replace"]), encoding="utf-8")
    try:
        if run(["cmake", "--build", "--preset", preset]).returncode != 0:
            return "no build"
        tests = run(["ctest", "--preset", preset, "-R", pattern, "--timeout", "300", "-j2"])
        if "No tests were found" in tests.stdout:
            return "stale"
        return "survived" if tests.returncode == 0 else "caught"
    except subprocess.TimeoutExpired:
        return "caught"  # a fault that hangs the tests is noticed too
    finally:
        path.write_text(original, encoding="utf-8")


def main(names):
    mutations = parse(LIST.read_text(encoding="utf-8"))
    if names:
        mutations = [m for m in mutations if m["name"] in names]
    results = {}
    for m in mutations:
        start = time.monotonic()
        result = mutate_and_test(m)
        results[m["name"]] = result
        print(f"{result:9} {m['name']:32} {m['file']} ({time.monotonic() - start:.0f} s)", flush=True)
    # Rebuild once more so the build folders hold the unmutated program again.
    for preset in sorted({m["tests"].split()[0] for m in mutations}):
        run(["cmake", "--build", "--preset", preset])

    counted = [r for r in results.values() if r in ("caught", "survived")]
    caught = counted.count("caught")
    print(f"caught {caught} of {len(counted)}", end="")
    others = {r: list(results.values()).count(r) for r in ("no build", "stale")}
    print("".join(f", {n} {r}" for r, n in others.items() if n))
    survivors = [n for n, r in results.items() if r == "survived"]
    if survivors:
        print("survived: " + " ".join(survivors))
    return 0 if not survivors and not others["stale"] else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
