#!/usr/bin/env bash
# Runs Vexilo on a Debian machine: installs what is missing, builds, and
# starts vexilo-calc reading formulas from the terminal, one per line.
# Arguments go to vexilo-calc (for example ./run.sh --int).
set -uo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$VEXILO_ROOT"

ensure_packages cmake ninja-build g++ libbenchmark-dev || exit 1
configure_and_build release || exit 1

if [ -t 0 ]; then
    echo "Vexilo calculator: type a formula and press Enter (Ctrl-D ends). Options: ./run.sh --help" >&2
fi
exec out/release/cli/vexilo-calc "$@"
