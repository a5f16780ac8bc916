#!/usr/bin/env bash
# Runs a Windows test program that opens real windows: under Wine, in a virtual display of
# its own with a window manager and the prefix's server to itself.
#   tests/win32/wine-gui.sh PROGRAM.exe [ARGUMENTS...]
# DISCMENU_DPI: the display's dots per inch for this run (96 otherwise).
set -euo pipefail
if [ -z "${DISCMENU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_XVFB=1 "$0" "$@"
fi
. "$(dirname "$0")/../../scripts/wine/env.sh"
out=$(mktemp)
wine_session
trap 'wine_session_end; rm -f "$out"' EXIT
if [ -n "${DISCMENU_DPI:-}" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DISCMENU_DPI" /f \
    >/dev/null 2>&1
  trap 'wine reg delete "HKCU\Control Panel\Desktop" /v LogPixels /f >/dev/null 2>&1; wine_session_end; rm -f "$out"' EXIT
fi
status=0
wine "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit $status
