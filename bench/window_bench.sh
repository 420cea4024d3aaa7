#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and times vexilo.exe under
# Wine on a virtual display: start-up against an empty window program, and a
# Calc press with full histories. The last line printed is the summary.
# VEXILO_WIN64_BUILD names another 64-bit build folder than out/win64.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
cd "$VEXILO_ROOT"

build_win64 window_bench
ensure_display
trap stop_display EXIT
tools/wine-exec 64 "$WIN64_BUILD/bin/window_bench.exe"
