#!/usr/bin/env bash
# Runs every test of Vexilo on a Debian machine: installs what is missing,
# builds the host, fuzz, 64-bit and 32-bit Windows builds, runs the host tests
# under ASan/UBSan, a short fuzzing run, and the Windows tests under Wine.
set -uo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$VEXILO_ROOT"

ensure_packages cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev bc \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
    wine wine64 xvfb xauth fonts-noto-cjk xdotool imagemagick python3-mpmath || exit 1
if ensure_wine32; then wine32=yes; else wine32=no; fi

failed=()
ran=()
for preset in host release fuzz win64 win32; do
    say "Building $preset"
    configure_and_build "$preset" || failed+=("build $preset")
done

run_ctest() {
    local preset=$1
    say "Tests: $preset"
    if ctest --preset "$preset" --timeout 300; then ran+=("$preset"); else failed+=("tests $preset"); fi
}

run_ctest host
if [ -x out/fuzz/tests/fuzz/engine_fuzz ]; then
    say "Fuzzing the engine for ${VEXILO_FUZZ_SECONDS:-30} s"
    if tools/fuzz.sh "${VEXILO_FUZZ_SECONDS:-30}"; then ran+=("fuzz"); else failed+=("fuzz"); fi
fi

ensure_wine_prefix "$wine32"
ensure_display
trap stop_display EXIT
start_wine_server
# The window tests also run at 120 and 144 DPI, each in a prefix of its own.
ensure_dpi_prefixes "$wine32"
run_ctest win64
if [ "$wine32" = yes ]; then
    run_ctest win32
else
    echo "32-bit Windows tests skipped: wine32 cannot run 32-bit programs on this machine (the 32-bit build was still built)"
fi
stop_wine_servers
stop_display

say "Ran: ${ran[*]:-nothing}"
if [ ${#failed[@]} -gt 0 ]; then
    say "FAILED: ${failed[*]}"
    exit 1
fi
say "All tests passed"
