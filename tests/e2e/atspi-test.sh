#!/usr/bin/env bash
# The menu on a sample disc under a virtual display and a D-Bus session of its own, with
# Qt's accessibility bridge on, looked at and pressed as a screen reader does (atspi.walk,
# through run-disc.sh). Skipped (77) where the machine has no D-Bus session or pyatspi.
#   atspi-test.sh RUN-DISC-ARGUMENTS...
set -euo pipefail
if [ -z "${DISCMENU_IN_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "skipped: no dbus-run-session or no pyatspi for /usr/bin/python3"; exit 77; }
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_SESSION=1 \
    dbus-run-session -- "$0" "$@"
fi
# The accessibility bus is up before the program looks for it.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$(dirname "$0")/run-disc.sh" "$@"
