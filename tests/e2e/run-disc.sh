#!/usr/bin/env bash
# The built program on a staged copy of a disc, in a virtual display with the support trace
# on: the Linux program, or discmenu.exe under Wine (with a small window manager). The main
# window must show what the disc predicts; a screenshot is taken; the walk file, the same
# for both (walk.sh), drives the menu; closing the windows by their frames ends the program.
#   run-disc.sh PROGRAM HELPER DISC-FOLDER EXPECTED-TRACE SHOT.png [WALK]
# HELPER: for the Linux program x11close; for discmenu.exe a recording stand-in that takes
# the place of whatever the menu starts (console, Notepad, the shell's "open"), so that
# nothing covers the menu.
# DISCMENU_LAUNCH=COMMAND starts the Linux program through COMMAND (given its path).
# DISCMENU_TRACE_KEEP=FOLDER keeps the whole trace there, named after the screenshot.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
program=$1 helper=$2 disc=$3 expected=$4 shot=$5 walkfile=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
wine=0
[[ $program == *.exe ]] && wine=1
[ "$wine" = 0 ] || . "$here/../../scripts/wine/env.sh"
work=$(mktemp -d)
trace=$work/trace.txt calls=$work/calls.txt
ok=0 pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ "$wine" = 0 ] || wine_session_end
  if [ "$ok" = 1 ]; then rm -rf "$work"; else echo "kept $work"; fi
}
trap cleanup EXIT
. "$here/walk.sh"

under=$(walk_option under "$walkfile")
disc_dir=$work/${under:+$under/}disc
mkdir -p "$(dirname "$disc_dir")"
"$here/../../scripts/stage-disc.sh" "$program" "$disc" "$disc_dir"

if [ "$wine" = 1 ]; then
  wine_session # windows of an earlier display are gone with its server
  # The program folder's cmd.exe and notepad.exe, which Windows finds before its own, and
  # the prefix's "open" commands record instead of running.
  grep -q '^@realcmd' "$walkfile" 2>/dev/null || cp "$helper" "$disc_dir/autorun/cmd.exe"
  cp "$helper" "$disc_dir/autorun/notepad.exe"
  cp "$helper" "$WINEPREFIX/drive_c/discmenu-recorder.exe"
  {
    printf 'REGEDIT4\r\n'
    for class in Folder Directory htmlfile batfile pdffile txtfile; do
      printf '\r\n[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\r\n@="C:\\\\discmenu-recorder.exe \\"%%1\\""\r\n' "$class"
    done
    printf '\r\n[HKEY_CLASSES_ROOT\\.pdf]\r\n@="pdffile"\r\n'
  } >"$work/openers.reg"
  wine regedit /S "$(disc_dir=$work/openers.reg disc_path)" >>"$work/wine.log" 2>&1
  # The user's home, drive C:, is the prefix's: what an earlier walk made there goes first
  # (never what Wine keeps there).
  home_dir=$WINEPREFIX/drive_c
  for top in saved dos $(grep -oE '^[@!](file|nofile|content) home/[^/ ]+' "$walkfile" 2>/dev/null |
    sed 's|.*home/||' | sort -u); do
    case "$top" in windows | users | Program* | discmenu-recorder.exe) ;; *) rm -rf "${home_dir:?}/$top" ;; esac
  done
else
  # Stand-ins for the desktop's opener and terminal: they only write down how they were called.
  mkdir -p "$work/bin" "$work/home"
  for tool in xdg-open x-terminal-emulator; do
    name=$tool
    [ "$tool" = x-terminal-emulator ] && name=terminal
    # printf, not echo: a backslash in a name is written as it is.
    printf '#!/bin/sh\nprintf "%%s\\n" "%s $* @ $(pwd)" >>"%s"\n' "$name" "$calls" >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
  done
  home_dir=$work/home
fi
if [ -n "$walkfile" ]; then prepare "$walkfile"; fi

if [ "$wine" = 1 ]; then
  # Wine's drive Z: is the Linux root (not winepath: one more Wine start, and an empty
  # answer when it fails means no trace at all).
  DISCMENU_TRACE=$(disc_dir=$trace disc_path) wine "$disc_dir/autorun/discmenu.exe" \
    >>"$work/wine.log" 2>&1 </dev/null &
else
  PATH="$work/bin:$PATH" HOME="$home_dir" TERMINAL= VISUAL= EDITOR= DISCMENU_TRACE="$trace" \
    ${DISCMENU_LAUNCH:-} "$disc_dir/autorun/discmenu" &
fi
pid=$!

for _ in $(seq 200); do
  in_trace $'show\tformMain' 2>/dev/null && break
  sleep 0.1
done
if ! in_trace $'show\tformMain' 2>/dev/null; then
  echo "the main window never showed"
  if [ -f "$trace" ]; then cat "$trace"; else echo "(no trace file: the program never reached its first line)"; fi
  [ "$wine" = 1 ] && tail -n 20 "$work/wine.log"
  exit 1
fi
# Every line the disc predicts stands in the trace.
missing=0
while IFS= read -r line; do
  [ -z "$line" ] && continue
  in_trace "$line" || { echo "missing from the trace: $line"; missing=1; }
done < <(sed 's/\\t/\t/g' "$expected")
[ "$missing" = 0 ] || { echo "--- trace ---"; cat "$trace"; exit 1; }
sleep 0.5
mkdir -p "$(dirname "$shot")"
import -window root "$shot" || true

title_of() { grep "^caption"$'\t'"$1"$'\t' "$trace" | tail -n 1 | cut -f3; }
main_window() { # by its last caption; a search can meet a window going away (a stand-in)
  local title
  title=$(title_of formMain)
  for _ in $(seq 20); do
    window_named "$(escaped "$title")" && { echo "$wid"; return 0; }
    sleep 0.2
  done
  return 1
}
if [ -n "$walkfile" ]; then
  main_wid=$(main_window) || { echo "no main window"; exit 1; }
  walk "$walkfile"
fi

# The program runs while any of its windows is open: the dialog and the browser, where
# shown, are closed first (the browser's end brings the main window back), then the main
# window, the last one.
for form in FormFileSave FormFiles formMain; do
  if [ "$(grep -E "^(show|hide)"$'\t'"$form\$" "$trace" | tail -n 1 | cut -f1)" = show ]; then
    close_window "$(title_of "$form")" "$form" || { echo "the window of $form did not close"; exit 1; }
    sleep 0.5
  fi
done
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not end when its main window was closed"
  exit 1
fi
wait "$pid" || { echo "the program ended with a failure"; exit 1; }
pid=""
in_trace $'hide\tformMain' || { echo "no hide line"; exit 1; }
[ -z "${DISCMENU_TRACE_KEEP:-}" ] || cp "$trace" "$DISCMENU_TRACE_KEEP/$(basename "$shot" .png).trace"
ok=1
echo "ok: $(basename "$disc")${under:+ under $under}$([ "$wine" = 1 ] && echo ' under Wine')"
