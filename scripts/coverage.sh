#!/usr/bin/env bash
# Line and branch coverage of src/ by the Linux tests: builds the coverage preset, runs
# every test of it, and prints gcovr's summary (installing gcovr when missing).
#   scripts/coverage.sh [CTEST-ARGUMENTS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
command -v gcovr >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y -qq gcovr >/dev/null; }
scripts/build.sh coverage all
find build/coverage -name '*.gcda' -delete
ctest --preset coverage -j2 "$@" >build/coverage/ctest.log 2>&1 || true
grep -E 'tests passed|tests failed' build/coverage/ctest.log
gcovr --root . --filter 'src/' --object-directory build/coverage --print-summary \
  --exclude-unreachable-branches --exclude-throw-branches --exclude-directories 'build/coverage/CMakeFiles' \
  -o build/coverage/summary.txt
tail -n 3 build/coverage/summary.txt
