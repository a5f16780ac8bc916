#!/usr/bin/env bash
# Runs a Windows test program that opens real windows: under Wine, in a virtual display of
# its own with a small window manager (without one, every closing message box would hold
# the program up for seconds), with the prefix's server to itself.
#   tests/win32/wine-gui.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
if [ -z "${DISCMENU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_XVFB=1 "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX
WINEPREFIX=$("$here/wine-prefix.sh")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
out=$(mktemp)
openbox >/dev/null 2>&1 &
wm=$!
trap 'wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; kill $wm 2>/dev/null; rm -f "$out"' EXIT
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
# DISCMENU_DPI: the display's dots per inch for this run (96 otherwise).
if [ -n "${DISCMENU_DPI:-}" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DISCMENU_DPI" /f \
    >/dev/null 2>&1
  trap 'wine reg delete "HKCU\Control Panel\Desktop" /v LogPixels /f >/dev/null 2>&1; wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; kill $wm 2>/dev/null; rm -f "$out"' EXIT
fi
status=0
wine "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit $status
