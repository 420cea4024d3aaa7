#!/usr/bin/env bash
# Pipes the same 100,000 lines of arithmetic through vexilo-calc (Decimal
# mode) and through bc -l, and prints both times and their ratio.
# Run: bench/calc_vs_bc.sh   (builds the release preset when needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="$root/out/release/cli/vexilo-calc"
lines=${1:-100000}
if [ ! -x "$calc" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
fi
command -v bc >/dev/null || { echo "bc is missing: apt-get install bc" >&2; exit 1; }

input=$(mktemp)
trap 'rm -f "$input"' EXIT
# Formulas both programs read alike: literals, + - * / and brackets.
awk -v n="$lines" 'BEGIN {
    srand(7)
    for (i = 0; i < n; i++) {
        a = int(rand() * 1000); b = int(rand() * 100) / 10 + 1; c = int(rand() * 50) + 1
        d = int(rand() * 900) / 100 + 1; e = int(rand() * 10000)
        printf "(%d+%s)*%d-%s/%d+%d*2.5\n", a, b, c, d, c, e
    }
}' > "$input"

# Best of three runs each, in seconds.
best_time() {
    local best=
    for _ in 1 2 3; do
        local start end t
        start=$(date +%s.%N)
        "$@" < "$input" > /dev/null
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}

calc_s=$(best_time "$calc")
bc_s=$(best_time bc -l)
ratio=$(echo "$bc_s / $calc_s" | bc -l)
printf 'lines=%d\n' "$lines"
printf 'vexilo-calc: %.3f s (%.2f us/line)\n' "$calc_s" "$(echo "$calc_s * 1000000 / $lines" | bc -l)"
printf 'bc -l:       %.3f s (%.2f us/line)\n' "$bc_s" "$(echo "$bc_s * 1000000 / $lines" | bc -l)"
printf 'calc_s=%.4f bc_s=%.4f ratio=%.2f\n' "$calc_s" "$bc_s" "$ratio"
