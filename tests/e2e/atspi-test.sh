#!/usr/bin/env bash
# The menu on a sample disc under a virtual display and a D-Bus session of its own, with
# Qt's accessibility bridge on, looked at and pressed as a screen reader does
# (atspi_windows.py). Skipped (77) where the machine has no D-Bus session or pyatspi.
#   atspi-test.sh PROGRAM DISC-FOLDER
set -euo pipefail
if [ -z "${DISCMENU_IN_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "skipped: no dbus-run-session or no pyatspi for /usr/bin/python3"; exit 77; }
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_SESSION=1 \
    dbus-run-session -- "$0" "$@"
fi
program=$1 disc=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
"$here/../../scripts/stage-disc.sh" "$program" "$disc" "$work/disc"
mkdir -p "$work/home"
# The accessibility bus is up before the program looks for it.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
HOME="$work/home" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 DISCMENU_TRACE="$work/trace.txt" \
  "$work/disc/autorun/discmenu" 2>"$work/err.txt" &
pid=$!
/usr/bin/python3 "$here/atspi_windows.py" "$work/trace.txt" || { cat "$work/trace.txt"; exit 1; }
echo "ok: the windows as a screen reader sees them"
