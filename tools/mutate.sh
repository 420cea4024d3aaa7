#!/usr/bin/env bash
# Runs the mutation check (tools/mutate.py) with what its tests need: the
# host and 64-bit Windows builds, a virtual display and a running Wine server.
#   tools/mutate.sh [NAME...]
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$VEXILO_ROOT"

for preset in host win64; do
    configure_and_build "$preset" || exit 1
done
ensure_wine_prefix "$(/usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes || echo no)"
ensure_display
trap 'wineserver -k 2>/dev/null; stop_display' EXIT
wineserver -p 2>/dev/null
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 </dev/null
python3 tools/mutate.py "$@"
