#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and times the settings save
# under Wine. The last line printed is the summary.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
cd "$VEXILO_ROOT"

build_win64 settings_bench
tools/wine-exec 64 "$WIN64_BUILD/bench/settings/settings_bench.exe"
