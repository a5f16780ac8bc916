#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, in the project's prefix, with a
# wineserver that stays up between programs so that each starts in tens of milliseconds.
#   scripts/wine/run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
. "$(dirname "$0")/env.sh"
# A persistent server; a second start finds the first one and leaves.
wineserver -p >>"$WINEPREFIX.log" 2>&1 </dev/null || true
# The program's output goes through a file: Wine's background processes inherit whatever
# the program was given and would hold a pipe open after it ended.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
wine "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit $status
