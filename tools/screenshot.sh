#!/usr/bin/env bash
# Pictures of the Vexilo window, taken under Wine on a virtual display.
#   tools/screenshot.sh [SCENARIO...]   default: main
#   tools/screenshot.sh --list          the scenarios there are
# Each scenario is a function of tools/screenshot/ScreenshotDriver.cpp; its
# picture becomes docs/screenshot-SCENARIO.png. Builds what it needs in the
# 64-bit Windows build (out/win64, or the folder VEXILO_WIN64_BUILD names).
# VEXILO_SCREENSHOT_DPI=144 (or 120) takes them at that display scaling, in
# the test prefix of that DPI, as docs/screenshot-SCENARIO-144dpi.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$VEXILO_ROOT"

ensure_packages cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    wine wine64 xvfb xauth imagemagick fonts-noto-cjk || exit 1
dpi=${VEXILO_SCREENSHOT_DPI:-96}
suffix=
if [ "$dpi" != 96 ]; then
    export WINEPREFIX="$VEXILO_OUT/wineprefix-$dpi"
    [ -d "$WINEPREFIX/drive_c" ] || ensure_wine_prefix no tests "$dpi"
    suffix="-${dpi}dpi"
fi
build_win64 screenshot_driver
driver="$WIN64_BUILD/bin/screenshot_driver.exe"

if [ "${1:-}" = --list ]; then
    exec tools/wine-exec 64 "$driver" --list
fi

ensure_display
trap stop_display EXIT
mkdir -p docs
for scenario in "${@:-main}"; do
    picture="docs/screenshot-$scenario$suffix.png"
    coproc DRIVER { tools/wine-exec 64 "$driver" "$scenario"; }
    driver_pid=$DRIVER_PID
    region=
    read -r region <&"${DRIVER[0]}" || true
    region=${region%$'\r'}  # Wine's console ends lines with CR LF
    if [[ ! $region =~ ^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$ ]]; then
        echo "screenshot $scenario: ${region:-the driver ended without a picture}" >&2
        echo stop >&"${DRIVER[1]}" 2>/dev/null || true
        wait "$driver_pid" || true
        exit 1
    fi
    import -window root -crop "$region" +repage "$picture"
    echo taken >&"${DRIVER[1]}"
    wait "$driver_pid"
    echo "$picture ($region)"
done
