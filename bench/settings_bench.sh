#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and times the settings save
# under Wine. The last line printed is the summary.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
cd "$VEXILO_ROOT"

[ -f out/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 --target settings_bench >/dev/null
[ -d "$WINEPREFIX/drive_c" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
tools/wine-exec 64 out/win64/bench/settings/settings_bench.exe
