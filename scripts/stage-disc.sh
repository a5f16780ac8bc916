#!/usr/bin/env bash
# Makes a disc the way a disc is made: a copy of the disc tree with the program in its
# autorun folder.
#   scripts/stage-disc.sh PROGRAM DISC-FOLDER TARGET-FOLDER
set -euo pipefail
program=$1 disc=$2 target=$3
if [ ! -d "$disc" ]; then
  echo "No disc folder at $disc" >&2
  exit 1
fi
rm -rf "$target"
mkdir -p "$(dirname "$target")"
cp -R "$disc" "$target"
mkdir -p "$target/autorun"
cp "$program" "$target/autorun/discmenu"
