#!/usr/bin/env bash
# Starts the Windows program the way a disc starts it, under Wine: cross-builds
# discmenu.exe, stages the disc folder (the sample service disc unless another is given)
# with it and its autorun.inf, and starts it from the disc's autorun folder.
#   scripts/run-wine.sh [DISC-FOLDER]      (also: scripts/run.sh --wine [DISC-FOLDER])
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
disc=$(cd "${1:-$top/samples/service-disc}" 2>/dev/null && pwd) || {
  echo "No disc folder at ${1:-}" >&2
  exit 1
}
"$top/scripts/install-deps.sh"
cmake --preset windows -S "$top" -DDISCMENU_BUILD_TESTS=OFF >/dev/null
cmake --build "$top/build/windows" --target discmenu -j2 >/dev/null
stage="$top/build/stage-windows/$(basename "$disc")"
"$top/scripts/stage-disc.sh" "$top/build/windows/discmenu.exe" "$disc" "$stage"
if [ -z "${DISPLAY:-}" ]; then
  echo "There is no display to show the menu on; start it under a virtual display with: xvfb-run -a scripts/run.sh --wine${1:+ $1}" >&2
  exit 1
fi
export WINEPREFIX
WINEPREFIX=$("$top/tests/win32/wine-prefix.sh")
cd "$stage/autorun"
exec wine ./discmenu.exe
