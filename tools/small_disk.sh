#!/usr/bin/env bash
# The small filesystems some Windows tests need, mounted before them and
# taken away after them (CTest fixtures):
#   DIR/full      a 64 KiB filesystem that a test fills up
#   DIR/readonly  a read-only filesystem holding a copy of PROGRAM and a
#                 settings file beside it with one formula, 8*8, in row 0,
#                 and the same program renamed calc2.exe with calc2.ini
#                 holding 9*9
# Usage: small_disk.sh mount DIR PROGRAM | small_disk.sh unmount DIR
# Without the right to mount nothing is mounted, and the tests that need it
# skip with a message saying so.
set -u
action=$1
dir=$2
program=${3:-}

unmount_all() {
    for point in "$dir/full" "$dir/readonly"; do
        if mountpoint -q "$point" 2>/dev/null; then umount -l "$point"; fi
    done
}

case $action in
mount)
    unmount_all
    mkdir -p "$dir/full" "$dir/readonly"
    if mount -t tmpfs -o size=64k,mode=0777 tmpfs "$dir/full" 2>/dev/null; then
        echo "a 64 KiB filesystem at $dir/full"
    else
        echo "cannot mount a small filesystem here: the full-disk tests skip"
    fi
    if mount -t tmpfs -o size=16m tmpfs "$dir/readonly" 2>/dev/null; then
        cp "$program" "$dir/readonly/" &&
            printf '[History0]\r\nStr00=8*8\r\n' >"$dir/readonly/$(basename "$program" .exe).ini" &&
            cp "$program" "$dir/readonly/calc2.exe" &&
            printf '[History0]\r\nStr00=9*9\r\n' >"$dir/readonly/calc2.ini" &&
            mount -o remount,ro "$dir/readonly" &&
            echo "a read-only filesystem with $(basename "$program") at $dir/readonly"
    else
        echo "cannot mount a read-only filesystem here: the read-only folder tests skip"
    fi
    ;;
unmount)
    unmount_all
    ;;
*)
    echo "usage: $0 mount DIR PROGRAM | unmount DIR" >&2
    exit 2
    ;;
esac
exit 0
