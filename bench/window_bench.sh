#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and times vexilo.exe under
# Wine on a virtual display: start-up against an empty window program, and a
# Calc press with full histories. The last line printed is the summary.
# VEXILO_WIN64_BUILD names another 64-bit build folder than out/win64.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
cd "$VEXILO_ROOT"

build=${VEXILO_WIN64_BUILD:-out/win64}
if [ "$build" = out/win64 ]; then
    [ -f out/win64/build.ninja ] || cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target window_bench >/dev/null
else
    cmake --build "$build" --target window_bench >/dev/null
fi
[ -d "$WINEPREFIX/drive_c" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
ensure_display
trap stop_display EXIT
tools/wine-exec 64 "$build/bin/window_bench.exe"
