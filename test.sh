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
# Sets WINE32_MODE: native, emulated (qemu-user, as root in CI or with
# VEXILO_EMULATE_I386=1) or none.
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

# The window tests also run at 120 and 144 DPI, each in a prefix of its own.
# With 32-bit Wine the first prefix takes longer: its 32-bit half is made too.
started=$SECONDS
ensure_test_prefixes "$wine32"
prefix_seconds=$((SECONDS - started))
ensure_display
trap stop_display EXIT
start_test_servers
run_ctest win64
case $WINE32_MODE in
native)
    run_ctest win32 ;;
emulated)
    # Each 32-bit process start takes about a minute: the tests labelled
    # "emulated" check the shipped build in a few of them.
    say "Tests: win32, by emulation (the tests labelled emulated)"
    started=$SECONDS
    if VEXILO_TIMEOUT_SCALE=20 ctest --preset win32 -L emulated --timeout 900; then
        ran+=("win32 (emulated)")
    else
        failed+=("tests win32 (emulated)")
    fi
    echo "32-bit tests by emulation: $((SECONDS - started)) s (and $prefix_seconds s for the Wine prefixes)"
    ;;
*)
    echo "32-bit Windows tests skipped: this machine cannot run 32-bit programs (the 32-bit build was still built)" ;;
esac
stop_wine_servers
stop_display

say "Ran: ${ran[*]:-nothing}"
if [ ${#failed[@]} -gt 0 ]; then
    say "FAILED: ${failed[*]}"
    exit 1
fi
say "All tests passed"
