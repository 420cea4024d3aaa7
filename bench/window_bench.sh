#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and times vexilo.exe under
# Wine on a virtual display: start-up against an empty window program, and a
# Calc press with full histories. Then it counts the Wine server requests each
# program makes until its window is idle, under a server that logs them
# (wineserver -d1): a figure that does not depend on the machine's load.
# The last line printed is the summary.
# VEXILO_WIN64_BUILD names another 64-bit build folder than out/win64;
# VEXILO_BENCH_DPI=120 or 144 runs it all in the test prefix of that DPI.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
cd "$VEXILO_ROOT"

if [ -n "${VEXILO_BENCH_DPI:-}" ] && [ "$VEXILO_BENCH_DPI" != 96 ]; then
    export WINEPREFIX="$VEXILO_OUT/wineprefix-$VEXILO_BENCH_DPI"
    [ -d "$WINEPREFIX/drive_c" ] || ensure_wine_prefix no tests "$VEXILO_BENCH_DPI"
fi
build_win64 window_bench
ensure_display
server_log="$VEXILO_OUT/window-bench-requests.log"
finish() {
    wineserver -k 2>/dev/null || true
    stop_display
}
trap finish EXIT

summary=$(tools/wine-exec 64 "$WIN64_BUILD/bin/window_bench.exe" | tee /dev/stderr | tail -n 1)

# The same prefix under a server that logs every request; ours, so it may be ended.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -f -d1 2>"$server_log" &
requests=$(tools/wine-exec 64 "$WIN64_BUILD/bin/window_bench.exe" --requests "Z:${server_log//\//\\}" |
           tee /dev/stderr | tail -n 1)
wineserver -k 2>/dev/null || true
rm -f "$server_log"
echo "$summary $requests"
