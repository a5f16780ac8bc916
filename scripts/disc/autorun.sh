#!/bin/sh
# Starts the disc menu from this disc; Linux desktops ask before they run this file.
# The menu needs the GNU C library 2.35 or later. On an older machine, or when the menu
# cannot start, this says why and where the documents are, in a window where it can (on
# the terminal otherwise), rather than nothing.
floor_major=2 floor_minor=35
cd "$(dirname "$0")/autorun" || exit 1
disc=$(dirname "$PWD")

tell() { # tell TEXT
  printf '%s\n' "$1" >&2
  [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
  if command -v zenity >/dev/null 2>&1; then
    zenity --error --no-markup --title="Tidewell CD" --text="$1"
  elif command -v kdialog >/dev/null 2>&1; then
    kdialog --title "Tidewell CD" --error "$1"
  elif command -v xmessage >/dev/null 2>&1; then
    xmessage -center "$1"
  fi
}
by_hand="The documents on this disc can be opened by hand from its folders: $disc"

# "glibc 2.35"; nothing where the C library is another.
libc=$(getconf GNU_LIBC_VERSION 2>/dev/null) || libc=
version=${libc#glibc }
major=${version%%.*} minor=${version#*.}
minor=${minor%%.*}
case "$major.$minor" in
*[!0-9.]* | .* | *.) too_old=1 ;;
*) [ "$major" -gt $floor_major ] || { [ "$major" -eq $floor_major ] && [ "$minor" -ge $floor_minor ]; }
   too_old=$? ;;
esac
if [ "$too_old" != 0 ]; then
  tell "The menu of this disc needs Linux with the GNU C library $floor_major.$floor_minor or later (Ubuntu 22.04, Debian 12, Fedora 36 or a later system); this machine has ${libc:-another C library}.
$by_hand"
  exit 1
fi

# Started from a terminal, the menu's messages go there as ever; from the desktop, they are
# kept for the message below.
errors=$(mktemp 2>/dev/null) || errors=/dev/null
if [ -t 2 ]; then ./discmenu "$@"; else ./discmenu "$@" 2>"$errors"; fi
status=$?
if [ "$status" != 0 ]; then
  tell "The menu of this disc could not start (exit status $status).
$(tail -n 5 "$errors")
$by_hand"
fi
[ "$errors" = /dev/null ] || rm -f "$errors"
exit "$status"
