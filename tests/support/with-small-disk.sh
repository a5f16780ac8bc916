#!/usr/bin/env bash
# Runs a test command with DISCMENU_SMALL_DISK naming a folder on a freshly mounted 1 MiB
# file system, for the test to fill. Where the machine gives no right to mount (not root, a
# container that forbids it) the command runs without it, and the test skips itself.
#   tests/support/with-small-disk.sh COMMAND [ARGS...]
set -u
dir=$(mktemp -d)
if mount -t tmpfs -o size=1m discmenu-small "$dir" 2>/dev/null; then
  export DISCMENU_SMALL_DISK=$dir
  trap 'umount "$dir"; rmdir "$dir"' EXIT
else
  trap 'rmdir "$dir"' EXIT
fi
"$@"
