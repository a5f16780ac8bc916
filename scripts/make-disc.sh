#!/usr/bin/env bash
# Masters a disc image from a disc folder: stages the programs into a copy of the folder
# (scripts/stage-disc.sh: the Linux program with the Qt it carries, written by
# scripts/bundle-linux.sh, and discmenu.exe when a Windows build exists, with autorun.sh
# and autorun.inf), checks the copy as the menu will see it, and writes an ISO 9660 image
# with Joliet and Rock Ridge, the files a start reads first and the Linux program's
# compressed. The source folder is never changed.
#   scripts/make-disc.sh DISC OUT.iso [--force]
# --force masters a disc even when the check finds problems (never one it cannot read).
# DISCMENU_PROGRAM and DISCMENU_EXE name the programs to put on the disc (default: the
# release build, built when out of date without touching its settings, and
# build/windows/**/discmenu.exe). The window program comes from beside DISCMENU_PROGRAM,
# and so does the Qt it carries where scripts/bundle-linux.sh wrote that folder.
# DISCMENU_LABEL is the volume label (default: the disc folder's name).
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
[ -n "${DISCMENU_PROGRAM:-}" ] || "$top/scripts/build.sh" release discmenu
[ -x "$program" ] || { echo "No program at $program" >&2; exit 2; }
exe=${DISCMENU_EXE:-}
if [ -z "$exe" ] && [ -d "$top/build/windows" ]; then
  exe=$(find "$top/build/windows" -type f -name discmenu.exe | awk '{ print length, $0 }' | sort -n | head -n 1 | cut -d' ' -f2-)
fi
export DISCMENU_LABEL=${DISCMENU_LABEL:-$(basename "$disc")}
# ISO 9660 volume ids are at most 32 of A-Z, 0-9 and _.
volid=$(printf '%s' "$DISCMENU_LABEL" | tr '[:lower:]' '[:upper:]' | tr -c 'A-Z0-9_' '_' | cut -c1-32)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The Linux program goes on the disc with the Qt it carries, unless it comes so already.
if [ ! -f "$(dirname "$program")/qt.conf" ]; then
  "$top/scripts/bundle-linux.sh" "$(dirname "$program")" "$work/program"
  program=$work/program/discmenu
fi
stage="$work/$(basename "$disc")"
"$top/scripts/stage-disc.sh" "$program" "$disc" "$stage" ${exe:+"$exe"}
[ -n "$exe" ] ||
  echo "note: no Windows build (build/windows/.../discmenu.exe); the disc will not start by itself on Windows" >&2

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

# What a start reads lies together at the front of the image, in the order it is read: a
# CD reads ahead, and seeks slowly.
{
  printf '%s\n' /autorun.sh /autorun/discmenu /autorun/discmenu-window /autorun/qt.conf \
    /autorun/version
  (cd "$stage" && find . -maxdepth 1 -name '*.job' | cut -c2-)
  awk '$1 == "lib" && $3 == "start" { print "/autorun/lib/" $2 }
       $1 == "plugin" && $3 == "start" { print "/autorun/plugins/" $2 }' "$top/scripts/disc/linux-bundle.list"
} | while read -r path; do [ ! -f "$stage$path" ] || echo "$path"; done |
  awk '{ print 1000000 - NR, $0 }' >"$work/weights"
# The Linux program's files are stored compressed (zisofs, which Linux reads transparently
# and only Linux reads them): a start reads less than half the bytes from the disc.
rm -f "$out"
xorriso -as mkisofs -quiet -r -J -iso-level 3 -V "$volid" --sort-weight-list "$work/weights" \
  -o "$out" "$stage" -- -zisofs level=6:block_size=32k \
  -set_filter_r --zisofs /autorun/discmenu /autorun/discmenu-window /autorun/lib /autorun/plugins --
echo "$out"
