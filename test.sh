#!/usr/bin/env bash
# Runs every test of Vexilo on a Debian machine: installs what is missing,
# builds the host, fuzz, 64-bit and 32-bit Windows builds, runs the host tests
# under ASan/UBSan, a short fuzzing run, the Windows tests under Wine, and
# the release: its zips under Wine and a second, identical build.
set -uo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$VEXILO_ROOT"

ensure_packages cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev bc \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
    wine wine64 xvfb xauth fonts-noto-cjk xdotool imagemagick python3-mpmath zip unzip || exit 1
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

# The release: zipped from the two Windows builds above, tested from the
# zips as a user meets them, then built again from a clone in another folder
# to the same bytes.
say "Release: tools/release.sh, the zips under Wine, a second build elsewhere"
started=$SECONDS
if tools/release.sh >"$VEXILO_OUT/release.log" 2>&1; then
    zip_bits=64
    [ "$WINE32_MODE" != none ] && zip_bits="64 32"
    # shellcheck disable=SC2086
    if WINE32_MODE=$WINE32_MODE tests/release/zip_test.sh dist out/win64/bin/app_tests.exe $zip_bits; then
        ran+=("release zips ($zip_bits)")
    else
        failed+=("release zips")
    fi
    if tests/release/reproducible_test.sh; then ran+=("reproducible release"); else failed+=("reproducible release"); fi
else
    cat "$VEXILO_OUT/release.log"
    failed+=("release")
fi
echo "Release checks: $((SECONDS - started)) s"
stop_wine_servers
stop_display

say "Ran: ${ran[*]:-nothing}"
if [ ${#failed[@]} -gt 0 ]; then
    say "FAILED: ${failed[*]}"
    exit 1
fi
say "All tests passed"
