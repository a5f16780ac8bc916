#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, once; a second call finds it made.
#   tests/win32/wine-prefix.sh            (the prefix is $DISCMENU_WINEPREFIX, else a
#                                          folder in the user's cache)
# Prints the prefix. Wine's own output goes to a log file beside it, never to a pipe: its
# background processes would hold a pipe open long after the test ended.
set -euo pipefail
prefix=${DISCMENU_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/discmenu-wine}
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono, no Gecko and no desktop menu entries: the tests need none of them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.discmenu-ready" ]; then
  rm -rf "$prefix"
  log="$prefix.log"
  wineboot -i >"$log" 2>&1
  # Arial is there on every Windows machine; in Wine its metric twin stands in for it.
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Arial"="Liberation Sans"\r\n"Arial Bold"="Liberation Sans Bold"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"winemenubuilder.exe"=""\r\n' >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >>"$log" 2>&1
  rm -f "$reg"
  wineserver -w
  touch "$prefix/.discmenu-ready"
fi
echo "$prefix"
