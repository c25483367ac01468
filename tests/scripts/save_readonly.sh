#!/bin/sh
# Saving into a folder that takes no files: the viewer says so, and no
# file (whole, partial or temporary) is left. The folder is made immutable,
# which holds even for root; where the file system cannot, the test is
# skipped (77).
# usage: save_readonly.sh BUILD_DIR EMULATOR
set -u
cd "$1"; wine=$2
work=$(mktemp -d)
trap 'chattr -i "$work/locked" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/locked"
chattr +i "$work/locked" 2>/dev/null && ! touch "$work/locked/probe" 2>/dev/null ||
    { echo "this file system cannot lock a folder"; exit 77; }
winlocked="Z:$(echo "$work/locked" | tr / '\\')"
"$wine" ./zrhost.exe --plugin zr40.p --frames 1 --size 64x48 --pattern ramps --no-render-status \
    --output-dir "$winlocked" --save shot:0 --quit-after 0 </dev/null >"$work/log" 2>&1
status=$?
grep -q "the viewer said: The image couldn't be saved" "$work/log" || { cat "$work/log"; echo "no message"; exit 1; }
[ $status -ne 0 ] || { echo "zrhost did not report the failed save"; exit 1; }
[ -z "$(ls -A "$work/locked")" ] || { ls -la "$work/locked"; echo "a file was left"; exit 1; }
echo ok
