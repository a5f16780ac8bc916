#!/usr/bin/env bash
# The program people start, on its own: it loads no window library, checks a disc without
# the window program, and says so plainly when the windows are asked for and the window
# program is not beside it.
#   front-test.sh PROGRAM DISC-FOLDER
set -euo pipefail
program=$1 disc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

if ldd "$program" | grep -q 'libQt'; then
  fail "the program loads Qt: $(ldd "$program" | grep libQt | head -n 1)"
fi
cp "$program" "$work/discmenu"
"$work/discmenu" --check "$disc" >"$work/report.txt" || fail "the check of $disc found problems"
grep -q "no problems" "$work/report.txt" || fail "no summary: $(tail -n 1 "$work/report.txt")"
status=0
env -u DISPLAY "$work/discmenu" >"$work/out.txt" 2>&1 || status=$?
[ "$status" = 127 ] || fail "exit status $status without the window program"
grep -q "cannot start $work/discmenu-window" "$work/out.txt" ||
  fail "the message does not name the window program: $(cat "$work/out.txt")"
echo ok
