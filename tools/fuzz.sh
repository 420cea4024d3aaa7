#!/usr/bin/env bash
# fuzz.sh [SECONDS]: fuzzes the formula engine (default 30 s) starting from a
# seed corpus made of every formula the engine tests use, in both modes.
# A longer run: tools/fuzz.sh 3600. Findings are kept in out/fuzz/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
fuzzer="$root/out/fuzz/tests/fuzz/engine_fuzz"
seeds="$root/out/fuzz/seeds"
corpus="$root/out/fuzz/corpus"
findings="$root/out/fuzz/findings"
[ -x "$fuzzer" ] || { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null; }

# Seeds: each quoted text of the engine's reference cases, once per mode.
rm -rf "$seeds" && mkdir -p "$seeds" "$corpus" "$findings"
n=0
grep -ho '"[^"]*"' "$root"/tests/engine/data/cases/*.txt | sed 's/^"//; s/"$//' | sort -u |
while IFS= read -r formula; do
    n=$((n + 1))
    printf '\000%s' "$formula" > "$seeds/dec$n"
    printf '\001%s' "$formula" > "$seeds/int$n"
done
echo "seed corpus: $(ls "$seeds" | wc -l) inputs"

"$fuzzer" "$corpus" "$seeds" -max_total_time="$seconds" -max_len=4200 -timeout=10 \
    -artifact_prefix="$findings/" -print_final_stats=1 2>&1 |
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==ERROR|SUMMARY|INFO: seed corpus)' || true
status=${PIPESTATUS[0]}
if ls "$findings" | grep -q .; then
    echo "findings in out/fuzz/findings:"; ls "$findings"
fi
exit "$status"
