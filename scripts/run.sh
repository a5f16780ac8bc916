#!/usr/bin/env bash
# Starts the menu the way a disc starts it: builds the program, stages the disc folder
# (the sample service disc unless another is given) with the program in its autorun
# folder, and starts it from there.
#   scripts/run.sh [DISC-FOLDER]
#   scripts/run.sh --wine [DISC-FOLDER]   the Windows program, under Wine
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --wine ]; then
  shift
  exec "$top/scripts/run-wine.sh" "$@"
fi
disc=$(cd "${1:-$top/samples/service-disc}" 2>/dev/null && pwd) || {
  echo "No disc folder at ${1:-}" >&2
  exit 1
}
"$top/scripts/install-deps.sh"
cmake --preset release -S "$top" -DDISCMENU_BUILD_TESTS=OFF -DDISCMENU_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$top/build/release" --target discmenu -j2 >/dev/null
stage="$top/build/stage/$(basename "$disc")"
"$top/scripts/stage-disc.sh" "$top/build/release/discmenu" "$disc" "$stage"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "$(uname)" != Darwin ]; then
  echo "There is no display to show the menu on; start it on a desktop, or under a virtual display with: xvfb-run -a scripts/run.sh${1:+ $1}" >&2
  exit 1
fi
cd "$stage/autorun"
exec ./discmenu
