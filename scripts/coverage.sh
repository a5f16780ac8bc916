#!/usr/bin/env bash
# Line and branch coverage of src/ by the Linux tests: builds the coverage preset, runs
# every test of it, and prints gcovr's summary (installing gcovr when missing). With
# --windows, of the Windows build by its tests under Wine (the shipped build's settings).
#   scripts/coverage.sh [--windows] [CTEST-ARGUMENTS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
preset=coverage gcov=gcov
if [ "${1:-}" = --windows ]; then
  preset=windows-coverage gcov=x86_64-w64-mingw32-gcov
  shift
fi
command -v gcovr >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y -qq gcovr >/dev/null; }
scripts/build.sh "$preset" all
find "build/$preset" -name '*.gcda' -delete
ctest --preset "$preset" -j2 "$@" >"build/$preset/ctest.log" 2>&1 || true
grep -E 'tests passed|tests failed' "build/$preset/ctest.log"
gcovr --root . --filter 'src/' --object-directory "build/$preset" --gcov-executable "$gcov" \
  --print-summary --exclude-unreachable-branches --exclude-throw-branches \
  --exclude-directories "build/$preset/CMakeFiles" -o "build/$preset/summary.txt" "build/$preset"
tail -n 3 "build/$preset/summary.txt"
