#!/bin/sh
# Writes the constant tables of the elementary functions again from their
# generators (mpmath: Debian's python3-mpmath), into engine/math or DIR.
#   tools/make_math_tables.sh [DIR]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/engine/math}
python3 "$root/tools/make_trig_tables.py" > "$out/TrigTables.cpp"
python3 "$root/tools/make_explog_tables.py" > "$out/ExpLogTables.cpp"
