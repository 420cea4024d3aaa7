#!/usr/bin/env bash
# Runs Vexilo on a Debian machine: installs what is missing, builds, and
# starts the window program under Wine on your display. It runs from a folder
# of its own, out/vexilo/, where its settings file vexilo.ini stays between runs.
#   ./run.sh            the window program
#   ./run.sh calc ...   vexilo-calc in the terminal (./run.sh calc --help)
set -uo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$VEXILO_ROOT"

run_calc() {
    ensure_packages cmake ninja-build g++ libbenchmark-dev || exit 1
    configure_and_build release vexilo-calc || exit 1
    if [ -t 0 ]; then
        echo "Vexilo calculator: type a formula and press Enter (Ctrl-D ends)." >&2
    fi
    exec out/release/cli/vexilo-calc "$@"
}

if [ "${1:-}" = calc ]; then
    shift
    run_calc "$@"
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "There is no X display (DISPLAY is not set), so the window cannot open:" >&2
    echo "starting the console calculator instead." >&2
    run_calc "$@"
fi

ensure_packages cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine wine64 fonts-noto-cjk || exit 1
# The 32-bit build is the one we ship; where this machine cannot run 32-bit
# programs, or runs them only by emulation (a minute for each start), the
# same sources built for 64 bits stand in.
if ensure_wine32; then wine32=yes; else wine32=no; fi
if [ "$WINE32_MODE" = native ]; then
    preset=win32 bits=32
else
    preset=win64 bits=64
    echo "Running the 64-bit build: this machine cannot run 32-bit Windows programs natively." >&2
fi
say "Building vexilo.exe ($preset)"
configure_and_build "$preset" vexilo || exit 1

export WINEPREFIX="$VEXILO_OUT/wine-desktop"
ensure_wine_prefix "$wine32" windowed
mkdir -p "$VEXILO_OUT/vexilo"
cp "out/$preset/bin/vexilo.exe" "$VEXILO_OUT/vexilo/vexilo.exe"
cd "$VEXILO_OUT/vexilo"
exec "$VEXILO_ROOT/tools/wine-exec" "$bits" vexilo.exe
