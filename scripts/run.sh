#!/usr/bin/env bash
# Starts the menu the way a disc starts it: builds the program, stages the disc folder
# (the sample service disc unless another is given) with the program in its autorun
# folder, and starts it from there. With --wine, the Windows program under Wine, staged
# with its autorun.inf.
#   scripts/run.sh [DISC-FOLDER]
#   scripts/run.sh --wine [DISC-FOLDER]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
wine=0 again=scripts/run.sh
if [ "${1:-}" = --wine ]; then
  wine=1 again="$again --wine"
  shift
fi
disc=$(cd "${1:-$top/samples/service-disc}" 2>/dev/null && pwd) || {
  echo "No disc folder at ${1:-}" >&2
  exit 1
}
"$top/scripts/install-deps.sh"
if [ "$wine" = 1 ]; then
  preset=windows program=$top/build/windows/discmenu.exe stage=$top/build/stage-windows
else
  preset=release program=$top/build/release/discmenu stage=$top/build/stage
fi
"$top/scripts/build.sh" "$preset" discmenu
stage="$stage/$(basename "$disc")"
"$top/scripts/stage-disc.sh" "$program" "$disc" "$stage"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "$(uname)" != Darwin ]; then
  echo "There is no display to show the menu on; start it on a desktop, or under a virtual display with: xvfb-run -a $again${1:+ $1}" >&2
  exit 1
fi
cd "$stage/autorun"
if [ "$wine" = 1 ]; then
  . "$top/scripts/wine/env.sh"
  exec wine ./discmenu.exe
fi
exec ./discmenu
