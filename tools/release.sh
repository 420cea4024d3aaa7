#!/usr/bin/env bash
# Builds the release: both Windows programs of the win32 and win64 presets
# (optimised, stripped, static) and, in dist/,
#   vexilo-VERSION-win32.zip, vexilo-VERSION-win64.zip   vexilo.exe,
#       vexilo-calc.exe, README.txt and LICENSE.txt at the zip's root
#   SHA256SUMS                                           both zips' SHA-256
# The same commit gives the same bytes wherever and whenever it is built:
# the programs hold no path and no time (see CMakeLists.txt), and every zip
# entry gets the commit's time (SOURCE_DATE_EPOCH, unless already set), in
# UTC, fixed permissions, no extra fields, in sorted order.
# Prints SHA256SUMS at the end.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$VEXILO_ROOT"

ensure_packages cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 zip

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || {
        echo "release.sh: not a git checkout: set SOURCE_DATE_EPOCH to the sources' time" >&2
        exit 1
    }
fi
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C

dist="$VEXILO_ROOT/dist"
mkdir -p "$dist"
rm -f "$dist"/vexilo-*-win32.zip "$dist"/vexilo-*-win64.zip "$dist/SHA256SUMS"
zips=()
for bits in 32 64; do
    preset=win$bits build="$VEXILO_OUT/win$bits"
    say "Building $preset"
    # Configured again each time: the preset's settings, whatever the
    # folder was configured with before.
    mkdir -p "$VEXILO_OUT"
    cmake --preset "$preset" >"$VEXILO_OUT/release-$preset.log" 2>&1 || { cat "$VEXILO_OUT/release-$preset.log"; exit 1; }
    configure_and_build "$preset" vexilo vexilo-calc
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

    stage="$VEXILO_OUT/release-stage/$preset"
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$build/bin/vexilo.exe" "$build/cli/vexilo-calc.exe" "$build/release/README.txt" "$build/release/LICENSE.txt" "$stage/"
    chmod 0644 "$stage"/*.txt
    chmod 0755 "$stage"/*.exe
    touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
    zip="vexilo-$version-win$bits.zip"
    (cd "$stage" && printf '%s\n' * | sort | zip -X -9 -q -D "$dist/$zip" -@)
    zips+=("$zip")
done
(cd "$dist" && sha256sum "${zips[@]}" >SHA256SUMS)
say "Release in dist/ (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
cat "$dist/SHA256SUMS"
