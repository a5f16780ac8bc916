#!/usr/bin/env bash
# Runs every test: the format check, then the core, adapter and end-to-end tests in a
# debug build and again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh

echo "== format"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

for preset in debug sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  log="build/$preset-build.log"
  cmake --build --preset "$preset" >"$log" 2>&1 || { cat "$log"; exit 1; }
  if grep -q 'warning:' "$log"; then
    grep -A4 'warning:' "$log"
    echo "the build gave warnings"
    exit 1
  fi
  ctest --preset "$preset" -j2
done
