#!/usr/bin/env bash
# The release zips as a user meets them, under Wine. Each zip holds exactly
# its four files (README.txt with CR LF line ends) and is unpacked into a
# fresh folder whose path has blanks and non-ASCII letters; there
# vexilo-calc.exe tells its version and calculates a formula, and vexilo.exe
# calculates, ends, leaves vexilo.ini beside itself and reads it at the next
# start (tests/app/FromZipTest.cpp). As root the zip is also unpacked onto a
# read-only disk, with that settings file: the program reads it and keeps
# what is used in the user's folder.
# Usage: zip_test.sh DIST APP_TESTS BITS...
#   DIST       the folder with the zips (dist/ of tools/release.sh)
#   APP_TESTS  the 64-bit app_tests.exe; it drives the 32-bit window too
#   BITS       64 and/or 32
# Where 32-bit programs run by emulation (WINE32_MODE=emulated) each start
# takes about a minute: the 32-bit zip gets one window start fewer there
# (the read-only run reads the file the first run wrote) and longer waits.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/common.sh"
dist=$1 app_tests=$2
shift 2
# Wine takes non-ASCII paths and texts from the locale.
export LC_ALL=C.UTF-8
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
mounted=
cleanup() {
    [ -n "$mounted" ] && umount -l "$mounted" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# unpack ZIP FOLDER: the zip's files into a new folder.
unpack() { mkdir -p "$2" && unzip -q "$1" -d "$2"; }

# drive BITS TEST VARIABLE FOLDER [VARIABLE=VALUE...]: one FromZip test of
# app_tests.exe on the program in FOLDER.
drive() {
    local bits=$1 test=$2 variable=$3 folder=$4 scale=1
    shift 4
    [ "$bits" = 32 ] && [ "${WINE32_MODE:-}" = emulated ] && scale=20
    env "$variable=$(winepath -w "$folder" 2>/dev/null)" VEXILO_TIMEOUT_SCALE=$scale "$@" \
        "$here/../../tools/wine-exec" 64 "$app_tests" --gtest_brief=1 --gtest_filter="FromZip.$test" ||
        fail "win$bits: FromZip.$test"
}

can_mount=no
probe="$work/probe"
mkdir -p "$probe"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=1m tmpfs "$probe" 2>/dev/null; then
    umount "$probe"
    can_mount=yes
fi

for bits in "$@"; do
    zip=$(ls "$dist"/vexilo-*-win$bits.zip 2>/dev/null | head -n 1)
    [ -f "$zip" ] || { fail "no win$bits zip in $dist"; continue; }
    version=${zip##*/vexilo-}
    version=${version%-win$bits.zip}
    started=$SECONDS

    entries=$(unzip -Z1 "$zip" | tr '\n' ' ')
    [ "$entries" = "LICENSE.txt README.txt vexilo-calc.exe vexilo.exe " ] || fail "win$bits: zip holds $entries"
    lines=$(unzip -p "$zip" README.txt | wc -l)
    crlf=$(unzip -p "$zip" README.txt | grep -c $'\r$')
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "win$bits: README.txt has $crlf CR LF line ends in $lines lines"

    folder="$work/Téléchargements ünd 計算 $bits/Vexilo $version"
    unpack "$zip" "$folder"
    out=$("$here/../../tools/wine-exec" "$bits" "$folder/vexilo-calc.exe" --version | tr -d '\r'); status=$?
    [ "$out" = "vexilo-calc $version" ] && [ $status = 0 ] || fail "win$bits: --version printed '$out', status $status"
    out=$("$here/../../tools/wine-exec" "$bits" "$folder/vexilo-calc.exe" -i 'TOx(0X10)+1' | tr -d '\r')
    [ "$out" = "Ans=[17]" ] || fail "win$bits: TOx(0X10)+1 gave '$out'"

    no_restart=0
    [ "$bits" = 32 ] && [ "${WINE32_MODE:-}" = emulated ] && [ $can_mount = yes ] && no_restart=1
    drive "$bits" 'WritableFolder*' VEXILO_ZIP_FOLDER "$folder" VEXILO_ZIP_NO_RESTART=$no_restart

    if [ $can_mount = yes ]; then
        mounted="$work/Programme ü $bits"
        mkdir -p "$mounted"
        mount -t tmpfs -o size=16m tmpfs "$mounted" &&
            unpack "$zip" "$mounted/Vexilo" &&
            cp "$folder/vexilo.ini" "$mounted/Vexilo/" &&
            mount -o remount,ro "$mounted" &&
            drive "$bits" 'ReadOnlyFolder*' VEXILO_ZIP_READONLY_FOLDER "$mounted/Vexilo"
        umount -l "$mounted"
        mounted=
    else
        echo "win$bits: the read-only folder is not tried: mounting a disk needs root"
    fi
    echo "win$bits zip: $((SECONDS - started)) s"
done

[ "$failures" -eq 0 ] && echo "zip tests passed" || echo "$failures zip tests failed"
[ "$failures" -eq 0 ]
