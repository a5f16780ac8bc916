#!/usr/bin/env bash
# Runs every test: the format check, then the core, adapter and end-to-end tests in a
# debug build and again under AddressSanitizer and UndefinedBehaviorSanitizer; last, the
# optimised build that the run command uses (with the benchmark) must build without warnings;
# then the Windows program is cross-built and its tests run under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh

echo "== format"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

build() { # build PRESET: configure and build, failing on any warning
  local log="build/$1-build.log"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" >"$log" 2>&1 || { cat "$log"; exit 1; }
  if grep -q 'warning:' "$log"; then
    grep -A4 'warning:' "$log"
    echo "the $1 build gave warnings"
    exit 1
  fi
}

for preset in debug sanitize; do
  echo "== $preset"
  build "$preset"
  ctest --preset "$preset" -j2
done

echo "== release"
build release

echo "== windows"
# One Wine prefix for this run, outside the build tree, removed with its server at the end.
wine_home=$(mktemp -d)
export DISCMENU_WINEPREFIX="$wine_home/prefix"
trap 'WINEPREFIX=$DISCMENU_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$wine_home"' EXIT
build windows
ctest --preset windows -j2
