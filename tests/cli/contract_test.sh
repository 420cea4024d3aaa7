#!/usr/bin/env bash
# The vexilo-calc program itself, through real pipes: arguments, standard
# input, the two output streams, their order and the exit status.
# Usage: VEXILO_VERSION=X.Y.Z contract_test.sh COMMAND... (the program, with
# Wine in front for Windows)
set -u
calc=("$@")
failures=0

# check NAME EXPECTED ACTUAL
check() {
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    else
        printf 'ok   %s\n' "$1"
    fi
}

# Windows programs end their lines with CR LF.
run() { "${calc[@]}" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

out=$(run '1+2*3'); status=$?
check "argument formula" "Ans=[7]" "$out"
check "argument status" 0 "$status"

out=$(run -i -a '0X(0-1)')
check "integer hex answer" "0XFFFFFFFFFFFFFFFF" "$out"

out=$(printf 'TOx(4)\r\nx*x\n1/0\nx+1' | run -v); status=$?
check "batch from stdin" $'Ans=[4]\nx=[4] y=[] z=[]\nAns=[16]\nx=[4] y=[] z=[]\n1/0\ndivision by 0 error\nAns=[5]\nx=[4] y=[] z=[]' "$out"
check "batch status after a failure" 1 "$status"

out=$(printf '1+1\n1 2\n3\n' | "${calc[@]}" 2>&1 | tr -d '\r')
check "2>&1 keeps the order" $'Ans=[2]\nm_StackCnt=2\nAns=[]\nAns=[3]' "$out"

out=$(printf '1 2\n' | "${calc[@]}" 2>/dev/null | tr -d '\r')
check "messages stay off stdout" "Ans=[]" "$out"

long=$(printf '1%.0s' $(seq 1024))
out=$(printf '1\n%s\n2\n' "$long" | run -a 2>/dev/null); status=$?
check "formula of 1024 characters keeps the lines in step" $'1\nErorr\n2' "$out"
check "formula of 1024 characters status" 1 "$status"
out=$(printf '%s\n' "$long" | "${calc[@]}" -j 2>&1 >/dev/null | tr -d '\r')
check "formula of 1024 characters message" "式が長過ぎます。" "$out"

# Lost output or unreadable input is told and has a status of its own.
errors=$(mktemp)
"${calc[@]}" 1+2 >/dev/full 2>"$errors"; status=$?
out=$(tr -d '\r' <"$errors")
check "full disk status" 3 "$status"
check "full disk message" "vexilo-calc: cannot write standard output" "${out%: *}"
"${calc[@]}" </ >/dev/null 2>"$errors"; status=$?
out=$(tr -d '\r' <"$errors")
check "folder as input status" 3 "$status"
check "folder as input message" "vexilo-calc: cannot read standard input" "${out%: *}"
rm -f "$errors"

out=$(run -j '(1'); status=$?
check "Japanese caret line" $'(1\n__^ エラー' "$out"
check "refused status" 1 "$status"

out=$(run -x 'é' 'x')
check "UTF-8 variable text" "Ans=[0]" "$out"
out=$(run '１+1')
check "UTF-8 formula echoed" $'１+1\n^ syntax error' "$out"

out=$("${calc[@]}" --bogus 2>&1); status=$?
out=${out//$'\r'/}
check "usage error status" 2 "$status"
check "usage line" $'vexilo-calc: unknown option \'--bogus\'\nusage: vexilo-calc [options] [FORMULA]' "$out"

out=$(run --help | head -n 1); status=$?
check "help" "usage: vexilo-calc [options] [FORMULA]" "$out"

# VEXILO_VERSION: the version CMake has from project().
out=$(run --version 2>&1); status=$?
check "version" "vexilo-calc $VEXILO_VERSION" "$out"
check "version status" 0 "$status"

[ "$failures" -eq 0 ] && echo "all passed" || echo "$failures failed"
[ "$failures" -eq 0 ]
