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
ensure_test_prefixes "$(wine32_state)"
ensure_display
trap 'stop_wine_servers; stop_display' EXIT
start_test_servers
python3 tools/mutate.py "$@"
