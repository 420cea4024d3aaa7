#!/usr/bin/env bash
# The release is reproducible: a second clone of this commit, in another
# folder with a longer path, built later by tools/release.sh, gives the same
# SHA256SUMS as dist/SHA256SUMS here (made by tools/release.sh before).
# Changes not yet committed go into the clone too (git diff); files git does
# not know of do not. When the sums differ, the first differing bytes of
# each differing file are printed (and diffoscope's view, where installed).
# Usage: reproducible_test.sh
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$root/dist/SHA256SUMS" ] || { echo "FAIL no dist/SHA256SUMS: run tools/release.sh first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone="$work/a-second-folder-with-a-longer-path/vexilo-rebuilt"

git clone --quiet --shared --no-checkout "$root" "$clone" &&
    git -C "$clone" checkout --quiet --detach "$(git -C "$root" rev-parse HEAD)" || { echo "FAIL cannot clone $root"; exit 1; }
if ! git -C "$root" diff --quiet HEAD; then
    echo "with the changes not yet committed"
    git -C "$root" diff --binary HEAD | git -C "$clone" apply --binary || { echo "FAIL cannot apply them"; exit 1; }
fi
# The commit's time, as release.sh takes it in the first folder.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) "$clone/tools/release.sh" >"$work/release.log" 2>&1 ||
    { cat "$work/release.log"; echo "FAIL the second build failed"; exit 1; }

if cmp -s "$root/dist/SHA256SUMS" "$clone/dist/SHA256SUMS"; then
    echo "the same SHA256SUMS from $clone:"
    cat "$clone/dist/SHA256SUMS"
    exit 0
fi
echo "FAIL the second build's SHA256SUMS differ:"
diff "$root/dist/SHA256SUMS" "$clone/dist/SHA256SUMS"
for zip in "$root"/dist/*.zip; do
    name=${zip##*/}
    cmp -s "$zip" "$clone/dist/$name" && continue
    mkdir -p "$work/first/$name" "$work/second/$name"
    unzip -q "$zip" -d "$work/first/$name"
    unzip -q "$clone/dist/$name" -d "$work/second/$name"
    same=yes
    for file in "$work/first/$name"/*; do
        other="$work/second/$name/${file##*/}"
        cmp -s "$file" "$other" && continue
        same=no
        echo "$name: ${file##*/} differs; the first differing bytes (offset, octal values):"
        cmp -l "$file" "$other" | head -n 10
        if command -v diffoscope >/dev/null; then diffoscope --text - "$file" "$other" | head -n 60; fi
    done
    if [ $same = yes ]; then
        echo "$name: the same files, the zip itself differs:"
        cmp -l "$zip" "$clone/dist/$name" | head -n 10
    fi
done
exit 1
