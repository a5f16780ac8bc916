#!/usr/bin/env bash
# Makes a disc the way a disc is made: a copy of the disc tree with the program in its
# autorun folder (on Linux, discmenu and the window program beside it). A Windows program (discmenu.exe) comes with an autorun.inf at the disc
# root, so that Windows offers to start it when the disc goes in; a disc may carry the
# Linux and the Windows program side by side.
#   scripts/stage-disc.sh PROGRAM DISC-FOLDER TARGET-FOLDER [MORE-PROGRAMS...]
set -euo pipefail
program=$1 disc=$2 target=$3
shift 3
if [ ! -d "$disc" ]; then
  echo "No disc folder at $disc" >&2
  exit 1
fi
rm -rf "$target"
mkdir -p "$(dirname "$target")"
# -p keeps the time stamps: a service disc shows its version folder's date.
cp -Rp "$disc" "$target"
mkdir -p "$target/autorun"
for p in "$program" "$@"; do
  case "$p" in
  *.exe)
    cp "$p" "$target/autorun/discmenu.exe"
    # Windows reads autorun.inf with CR LF line ends.
    printf '%s\r\n' '[autorun]' 'open=autorun\discmenu.exe' 'icon=autorun\discmenu.exe,0' \
      'label=Tidewell CD' 'action=Open the Tidewell CD menu' >"$target/autorun.inf"
    ;;
  *)
    cp "$p" "$target/autorun/discmenu"
    # The window program it starts, built beside it (none in a build for the check only).
    if [ -x "$(dirname "$p")/discmenu-window" ]; then
      cp "$(dirname "$p")/discmenu-window" "$target/autorun/discmenu-window"
    fi
    ;;
  esac
done
