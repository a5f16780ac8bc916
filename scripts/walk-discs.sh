#!/usr/bin/env bash
# The long run of the generated-disc walk: TREES random disc trees (default 10,000) from
# seed FIRST (default 1), each walked from start-up through every page, the file browser
# and the destination dialog. Prints the trees run, the rate, and every failure with its
# seed and tree; `DISCMENU_SEED=n DISCMENU_TREES=1 DISCMENU_DESCRIBE=1` replays one.
# PRESET is the build to use: release (default, fastest) or sanitize (AddressSanitizer and
# UndefinedBehaviorSanitizer, about half as fast).
#   scripts/walk-discs.sh [TREES [FIRST [PRESET]]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
trees=${1:-10000}
first=${2:-1}
preset=${3:-release}
scripts/build.sh "$preset" discwalk
export ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$top/tests/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1
# The seed of each tree goes to standard error; only failures are kept.
DISCMENU_TREES=$trees DISCMENU_SEED=$first "build/$preset/tools/discwalk" 2> >(grep -v '^tree ' >&2)
