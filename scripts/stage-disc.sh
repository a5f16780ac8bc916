#!/usr/bin/env bash
# Makes a disc the way a disc is made: a copy of the disc tree with the programs in its
# autorun folder. The Linux program is discmenu with the window program beside it; from a
# folder that scripts/bundle-linux.sh wrote, the whole folder (the Qt it carries with it).
# It comes with autorun.sh at the disc root, which Linux desktops offer to run. A Windows
# program (discmenu.exe) comes with autorun.inf, so that Windows offers to start it when the
# disc goes in. A disc may carry both.
#   scripts/stage-disc.sh PROGRAM DISC-FOLDER TARGET-FOLDER [MORE-PROGRAMS...]
# DISCMENU_LABEL is the disc's name in autorun.inf (default: the disc folder's name).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1 disc=$2 target=$3
shift 3
if [ ! -d "$disc" ]; then
  echo "No disc folder at $disc" >&2
  exit 1
fi
label=${DISCMENU_LABEL:-$(basename "$(cd "$disc" && pwd)")}
rm -rf "$target"
mkdir -p "$(dirname "$target")"
# -p keeps the time stamps: a service disc shows its version folder's date.
cp -Rp "$disc" "$target"
# A burnt disc is read-only; the staged copy is the caller's to change and remove.
chmod -R u+w "$target"
mkdir -p "$target/autorun"
# A disc names a Windows program in autorun.inf only when it carries one.
rm -f "$target/autorun.inf"
for p in "$program" "$@"; do
  case "$p" in
  *.exe)
    cp "$p" "$target/autorun/discmenu.exe"
    # Windows reads autorun.inf with CR LF line ends.
    printf '%s\r\n' '[autorun]' 'open=autorun\discmenu.exe' 'icon=autorun\discmenu.exe,0' \
      "label=$label" 'action=Open the Tidewell disc menu' >"$target/autorun.inf"
    ;;
  *)
    from=$(dirname "$p")
    cp "$p" "$target/autorun/discmenu"
    # The window program it starts, built beside it (none in a build for the check only).
    if [ -x "$from/discmenu-window" ]; then
      cp "$from/discmenu-window" "$target/autorun/discmenu-window"
    fi
    if [ -f "$from/qt.conf" ]; then
      cp -R "$from/qt.conf" "$from/lib" "$from/plugins" "$from/licenses" "$target/autorun/"
      chmod -R u+w "$target/autorun"
    fi
    cp "$here/disc/autorun.sh" "$target/autorun.sh"
    chmod 755 "$target/autorun.sh" "$target/autorun/discmenu"*
    ;;
  esac
done
