# The Wine the project's Windows programs run in, for scripts that source this file:
# exports WINEPREFIX (made on first use: $DISCMENU_WINEPREFIX, else a folder in the user's
# cache), WINEDEBUG and WINEDLLOVERRIDES. Wine's own output goes to a log beside the prefix,
# never to a pipe: its background processes would hold a pipe open long after the caller.
export WINEPREFIX=${DISCMENU_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/discmenu-wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono, no Gecko and no desktop menu entries: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$(dirname "$WINEPREFIX")"
( # one maker at a time; a second caller finds the prefix made
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.discmenu-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >"$WINEPREFIX.log" 2>&1
    # Arial is there on every Windows machine; in Wine its metric twin stands in for it.
    reg=$(mktemp --suffix=.reg)
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Arial"="Liberation Sans"\r\n"Arial Bold"="Liberation Sans Bold"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"winemenubuilder.exe"=""\r\n' >"$reg"
    wine regedit /S "$(winepath -w "$reg")" >>"$WINEPREFIX.log" 2>&1
    rm -f "$reg"
    wineserver -w
    touch "$WINEPREFIX/.discmenu-ready"
  fi
)

# wine_session: the windows of this display get a small window manager (without one,
# every closing message box holds the program up for seconds) and a Wine server of their
# own, persistent so that each program starts in tens of milliseconds. The earlier server
# is waited for: a program started while it still shuts down fails. wine_session_end ends
# both.
wine_session() {
  openbox >/dev/null 2>&1 &
  wine_wm=$!
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p >>"$WINEPREFIX.log" 2>&1 </dev/null
}
wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -z "${wine_wm:-}" ] || kill "$wine_wm" 2>/dev/null || true
}
