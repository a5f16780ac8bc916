#!/usr/bin/env bash
# The Windows program on a staged sample disc under Wine, in a virtual display with a
# small window manager: the main window shows what the disc predicts (the same expected
# lines as on Linux), a screenshot is taken, the walk file (the same as on Linux) clicks
# through the menu, and closing the main window ends the program.
#   wine-disc.sh PROGRAM.exe RECORDER.exe DISC-FOLDER EXPECTED-TRACE SHOT.png [WALK]
# Whatever the menu starts (console, Notepad, the shell's "open") is a recording stand-in,
# so that nothing covers the menu: the program folder's cmd.exe and notepad.exe, which
# Windows finds before its own, and the prefix's "open" commands for folders and documents.
# Steps that look at the Linux stand-ins' calls (!called) are left out here: the trace's
# open and run lines, the same on both machines, are checked instead.
set -euo pipefail
if [ -z "${DISCMENU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_XVFB=1 "$0" "$@"
fi
program=$1 recorder=$2 disc=$3 expected=$4 shot=$5 walkfile=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
ok=0 pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  if [ "$ok" = 1 ]; then rm -rf "$work"; else echo "kept $work"; fi
}
trap cleanup EXIT
trap 'echo "failed: $BASH_COMMAND (line $LINENO)" >&2' ERR

openbox >"$work/openbox.log" 2>&1 &
wm=$!
export WINEPREFIX
WINEPREFIX=$("$here/wine-prefix.sh")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A server of this display's own: windows of an earlier display are gone with it. The
# earlier server is waited for: a program started while it still shuts down fails.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wineserver -p >>"$work/wine.log" 2>&1 </dev/null

"$here/../../scripts/stage-disc.sh" "$program" "$disc" "$work/disc"
cp "$recorder" "$work/disc/autorun/cmd.exe"
cp "$recorder" "$work/disc/autorun/notepad.exe"
cp "$recorder" "$WINEPREFIX/drive_c/discmenu-recorder.exe"
reg="$work/openers.reg"
{
  printf 'REGEDIT4\r\n'
  for class in Folder Directory htmlfile batfile pdffile txtfile; do
    printf '\r\n[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\r\n@="C:\\\\discmenu-recorder.exe \\"%%1\\""\r\n' "$class"
  done
  printf '\r\n[HKEY_CLASSES_ROOT\\.pdf]\r\n@="pdffile"\r\n'
} >"$reg"
wine regedit /S "$(winepath -w "$reg")" >>"$work/wine.log" 2>&1
# The user's home (home/ in a walk) is drive C:, the prefix's: what an earlier walk saved
# there goes first, then the walk's @file lines make their files (see walk.sh's prepare).
rm -rf "$WINEPREFIX/drive_c/saved" "$WINEPREFIX/drive_c/dos"
if [ -n "$walkfile" ]; then
  while IFS= read -r line; do
    case "$line" in
    '@file home/'?* | '!file home/'?*)
      top=${line#* home/} top=${top%% *} top=${top%%/*}
      case "$top" in # never what Wine itself keeps there
      windows | users | Program* | discmenu-recorder.exe) ;;
      *) rm -rf "${WINEPREFIX:?}/drive_c/$top" ;;
      esac ;;
    esac
  done <"$walkfile"
  while IFS= read -r line; do
    [[ $line == '@file '* ]] || continue
    arg=${line#* } path=${arg%% *}
    case "$path" in
    home/*) path=$WINEPREFIX/drive_c/${path#home/} ;;
    *) path=$work/$path ;;
    esac
    mkdir -p "$(dirname "$path")"
    printf '%s' "${arg#* }" >"$path"
  done <"$walkfile"
fi

trace="$work/trace.txt"
calls="$work/calls.txt"
# Wine's drive Z: is the Linux root. (Not winepath: one more Wine start, and an empty answer
# when it fails means no trace at all.)
windowsPath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
DISCMENU_TRACE=$(windowsPath "$trace") DISCMENU_CALLS=$(windowsPath "$calls") \
  wine "$work/disc/autorun/discmenu.exe" >>"$work/wine.log" 2>&1 </dev/null &
pid=$!

for _ in $(seq 100); do
  grep -q $'^show\tformMain$' "$trace" 2>/dev/null && break
  sleep 0.2
done
if ! grep -q $'^show\tformMain$' "$trace"; then
  echo "the main window never showed"
  if [ -f "$trace" ]; then cat "$trace"; else echo "(no trace file: the program never reached its first line)"; fi
  tail -n 20 "$work/wine.log"
  exit 1
fi

missing=0
while IFS= read -r line; do
  [ -z "$line" ] && continue
  if ! grep -qxF -- "$line" "$trace"; then
    echo "missing from the trace: $line"
    missing=1
  fi
done < <(sed 's/\\t/\t/g' "$expected")
if [ "$missing" = 1 ]; then
  echo "--- trace ---"; cat "$trace"; exit 1
fi
sleep 0.5
mkdir -p "$(dirname "$shot")"
import -window root "$shot" || true

# The walks give points of a window's client area. Wine draws the frame of these windows
# itself, inside the X window: the client area lies within the frame's borders, whose
# width the window's outer and client sizes tell.
client_size() { # client_size TITLE: the client size in pixels at 96 dpi
  case "$1" in
  "All included"*) echo "146 253" ;;
  "Save In" | "Install path for"*) echo "371 192" ;;
  *) echo "554 320" ;;
  esac
}
frame_offset() { # frame_offset WID TITLE
  local w h cw ch border
  eval "$(xdotool getwindowgeometry --shell "$1")"
  w=$WIDTH h=$HEIGHT
  read -r cw ch < <(client_size "$2")
  if [ "$w" -le "$cw" ]; then echo "0 0"; return; fi
  border=$(( (w - cw) / 2 ))
  echo "$border $(( h - ch - border ))"
}

main_window() { # the main window's id, by its last caption; a search can meet a window
  local title wid   # that goes away meanwhile (a stand-in), so it is tried again
  title=$(grep $'^caption\tformMain\t' "$trace" | tail -n 1 | cut -f3)
  for _ in $(seq 20); do
    wid=$(xdotool search --name "^${title//[()]/.}\$" 2>/dev/null | head -n 1) || true
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    sleep 0.2
  done
  return 1
}

if [ -n "$walkfile" ]; then
  main_wid=$(main_window) || { echo "no main window"; exit 1; }
  . "$here/../e2e/walk.sh"
  eval "$(declare -f walk_step | sed '1s/walk_step/linux_walk_step/')"
  window_title=main last_click=""
  click_at() {
    local off
    read -r -a off < <(frame_offset "$wid" "$window_title")
    # A second click on the same spot within the double-click time is a double-click,
    # as on Windows: a user's next click on the same row comes later.
    [ "$last_click" = "$wid $1 $2" ] && sleep 0.6
    last_click="$wid $1 $2"
    xdotool mousemove --window "$wid" $(( $1 + off[0] )) $(( $2 + off[1] )) click 1
  }
  trace_still() { # until the trace has not grown for a second (at most ten)
    local size last=-1 still=0
    for _ in $(seq 100); do
      size=$(stat -c %s "$trace")
      if [ "$size" = "$last" ]; then
        still=$((still + 1))
        [ "$still" -ge 10 ] && return 0
      else
        still=0 last=$size
      fi
      sleep 0.1
    done
  }
  # The window manager's list of its windows, bottom first.
  stacking() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' |
      while read -r id; do printf '%d\n' "$id"; done
  }
  walk_step() {
    case "$1" in
    '!called '*) return 0 ;;
    '!focus')
      # Wine makes a window the active one when the window manager hands it the focus
      # (WM_TAKE_FOCUS), as for a click on its frame, not for the X focus alone.
      xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
      sleep 0.2
      return 0 ;;
    '!file '*)
      local path=${1#* }
      path=${path/#home\//$WINEPREFIX/drive_c/}
      wait_for test -f "$path" || { echo "no file $path"; return 1; }
      # The handler that wrote it may run on (more files, the shell's open, a window
      # hidden): what the walk does next waits for it, as a user's keys and clicks would.
      trace_still
      return 0 ;;
    '!window '*) window_title=${1#* } ;;
    '!main' | '!row '* | [0-9]*) window_title=main ;;
    esac
    linux_walk_step "$1"
  }
  walk "$walkfile"
fi

# The program runs while any of its windows is open: the dialog and the browser, where
# shown, are closed first (the browser's end brings the main window back), then the main
# window, the last one. Alt+F4 is Windows' own close.
close_form() { # close_form FORM
  local form=$1 title wid before
  title=$(grep "^caption"$'\t'"$form"$'\t' "$trace" | tail -n 1 | cut -f3)
  before=$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)
  hidden() { [ "$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)" -gt "$before" ]; }
  for _ in 1 2 3; do
    wid=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | head -n 1) || true
    [ -n "$wid" ] && xdotool windowactivate --sync "$wid" key --clearmodifiers alt+F4 2>/dev/null
    for _ in $(seq 20); do hidden && return 0; sleep 0.1; done
  done
  return 1
}
for form in FormFileSave FormFiles; do
  if [ "$(grep -E "^(show|hide)"$'\t'"$form\$" "$trace" | tail -n 1 | cut -f1)" = show ]; then
    close_form "$form" || { echo "the window of $form did not close"; exit 1; }
    sleep 0.5
  fi
done
main_wid=$(main_window) || { echo "no main window"; exit 1; }
xdotool windowactivate --sync "$main_wid" key --clearmodifiers alt+F4 || true
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not end when its main window was closed"
  exit 1
fi
wait "$pid" || { echo "the program ended with a failure"; exit 1; }
grep -q $'^hide\tformMain$' "$trace" || { echo "no hide line"; exit 1; }
# DISCMENU_TRACE_KEEP=FOLDER keeps the whole trace there, named after the screenshot, to
# compare the runs of two builds.
[ -z "${DISCMENU_TRACE_KEEP:-}" ] || cp "$trace" "$DISCMENU_TRACE_KEEP/$(basename "$shot" .png).trace"
ok=1
echo "ok: $(basename "$disc") under Wine"
