#!/bin/sh
# The tables in engine/math are what their generators print now: a
# generator changed without its table written again fails here.
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! python3 -c 'import mpmath' 2>/dev/null; then
    echo "skipped: the generators need Python's mpmath (apt-get install python3-mpmath)"
    exit 77
fi
printed=$(mktemp -d)
trap 'rm -rf "$printed"' EXIT
"$root/tools/make_math_tables.sh" "$printed" || exit 1
status=0
for table in TrigTables.cpp ExpLogTables.cpp; do
    if diff -u "$root/engine/math/$table" "$printed/$table"; then
        echo "ok   engine/math/$table"
    else
        echo "FAIL engine/math/$table is not what tools/make_math_tables.sh writes"
        status=1
    fi
done
exit $status
