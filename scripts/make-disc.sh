#!/usr/bin/env bash
# Masters a disc image from a disc folder: stages the programs into a copy of the folder
# (the Linux program, and discmenu.exe when a Windows build exists), writes autorun.inf for
# Windows and autorun.sh for Linux desktops, checks the copy as the menu will see it, and
# writes an ISO 9660 image with Joliet and Rock Ridge. The source folder is never changed.
#   scripts/make-disc.sh DISC OUT.iso [--force]
# --force masters a disc even when the check finds problems (never one it cannot read).
# DISCMENU_PROGRAM and DISCMENU_EXE name the programs to put on the disc (the window
# program comes from beside DISCMENU_PROGRAM; default: the
# release build and build/windows/**/discmenu.exe); DISCMENU_LABEL the volume label
# (default: the disc folder's name).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
usage() { echo "usage: scripts/make-disc.sh DISC OUT.iso [--force]" >&2; exit 2; }
force=0 args=()
for a in "$@"; do
  case $a in
    --force) force=1 ;;
    -*) usage ;;
    *) args+=("$a") ;;
  esac
done
[ ${#args[@]} -eq 2 ] || usage
disc=$(cd "${args[0]}" 2>/dev/null && pwd) || { echo "No disc folder at ${args[0]}" >&2; exit 2; }
out=${args[1]}
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
case $out in
  "$disc"/*) echo "The image must not be written into the disc folder itself: $out" >&2; exit 2 ;;
esac
command -v xorriso >/dev/null || { echo "xorriso is missing (scripts/install-deps.sh installs it)" >&2; exit 2; }

program=${DISCMENU_PROGRAM:-$top/build/release/discmenu}
if [ -z "${DISCMENU_PROGRAM:-}" ] && [ ! -x "$program" ]; then
  cmake --preset release -S "$top" -DDISCMENU_BUILD_TESTS=OFF -DDISCMENU_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$top/build/release" --target discmenu -j2 >/dev/null
fi
[ -x "$program" ] || { echo "No program at $program" >&2; exit 2; }
exe=${DISCMENU_EXE:-}
if [ -z "$exe" ] && [ -d "$top/build/windows" ]; then
  exe=$(find "$top/build/windows" -type f -name discmenu.exe | awk '{ print length, $0 }' | sort -n | head -n 1 | cut -d' ' -f2-)
fi
label=${DISCMENU_LABEL:-$(basename "$disc")}
# ISO 9660 volume ids are at most 32 of A-Z, 0-9 and _.
volid=$(printf '%s' "$label" | tr '[:lower:]' '[:upper:]' | tr -c 'A-Z0-9_' '_' | cut -c1-32)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/$(basename "$disc")"
# Copied with its time stamps: a service disc's date is its version folder's.
cp -R --preserve=mode,timestamps "$disc" "$stage"
chmod -R u+w "$stage"
mkdir -p "$stage/autorun"
cp "$program" "$stage/autorun/discmenu"
window="$(dirname "$program")/discmenu-window"
[ -x "$window" ] || { echo "No window program beside $program" >&2; exit 2; }
cp "$window" "$stage/autorun/discmenu-window"

if [ -n "$exe" ]; then
  cp "$exe" "$stage/autorun/discmenu.exe"
  # Windows reads autorun.inf with CR LF line ends.
  printf '%s\r\n' "[autorun]" "open=autorun\\discmenu.exe" "icon=autorun\\discmenu.exe,0" \
    "label=$label" "action=Open the Tidewell disc menu" >"$stage/autorun.inf"
else
  rm -f "$stage/autorun.inf"
  echo "note: no Windows build (build/windows/.../discmenu.exe); the disc will not start by itself on Windows" >&2
fi
# The freedesktop autostart-on-media convention: the desktop asks before it runs this.
cat >"$stage/autorun.sh" <<'SH'
#!/bin/sh
# Starts the disc menu from this disc; the desktop asks before it runs this file.
cd "$(dirname "$0")/autorun" && exec ./discmenu "$@"
SH
chmod 755 "$stage/autorun.sh" "$stage/autorun/discmenu" "$stage/autorun/discmenu-window"

# The copy's own program checks it, as the menu will find it on the disc.
set +e
"$stage/autorun/discmenu" --check >"$work/check.txt"
status=$?
set -e
tail -n 1 "$work/check.txt"
if [ "$status" -eq 2 ] || { [ "$status" -ne 0 ] && [ "$force" -eq 0 ]; }; then
  sed -n '/^Problems:/,$p' "$work/check.txt" >&2
  [ "$status" -eq 2 ] && { echo "The disc cannot be read; no image written." >&2; exit 2; }
  echo "The disc has problems; no image written (--force writes it all the same)." >&2
  exit 1
fi

rm -f "$out"
xorriso -as mkisofs -quiet -r -J -iso-level 3 -V "$volid" -o "$out" "$stage"
echo "$out"
