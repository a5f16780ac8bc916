#!/usr/bin/env bash
# Builds TARGETS in build/PRESET for the scripts that need a program. A folder not yet
# configured is configured with the preset as it stands (the README's own settings, ccache
# where the machine has it); a configured one is built as it is: its settings are the
# developer's, never a script's. Quiet unless something fails.
#   scripts/build.sh PRESET TARGET...
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
preset=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if [ ! -f "$top/build/$preset/CMakeCache.txt" ]; then
  if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
  fi
  cmake --preset "$preset" -S "$top" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
fi
cmake --build "$top/build/$preset" --target "$@" -j2 >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
