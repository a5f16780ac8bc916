# Walks the running program as a user would, and checks the trace after each step.
# Sourced by run-disc.sh, which sets trace, calls, work and main_wid.
#
# A walk file has one step a line:
#   ROW|CAPTION|ITEM|ITEM...  click item row ROW of the main window (0 = first row), then
#                             expect that window caption and those items
#   !window TITLE             the window with this title takes the next clicks and keys
#   !main                     the main window does
#   !focus                    that window takes the keyboard
#   !row N                    click item row N of the main window
#   !click X Y                click at pixel X, Y of that window
#   !type TEXT                select all in the focused text box and type TEXT
#   !key KEY...               press keys in turn (xdotool's names: Return, Tab ...)
#   !page CAPTION|ITEM|ITEM...  expect that main window caption and those items, no click
#   !expect LINE              wait for this line in the trace, once more than the walk has
#                             waited for it before (\t stands for a tab, @DISC for the staged
#                             disc as the program sees it: Z:\...\disc)
#   !called TEXT              wait for a stand-in program called with TEXT (@WORK: the work folder)
#   !file PATH                wait for a file below the work folder
#   !shot NAME                a screenshot beside the test's own, for people to look at
#   !dblrow N                 double-click item row N of the main window
#   !dblclick X Y             double-click at pixel X, Y of that window
#   !close FORM TITLE         close FORM's window (with this title) by its close box
#   !count N LINE             after a moment, the trace holds LINE exactly N times
#   !calls N TEXT             after a moment, N stand-in calls hold TEXT (@WORK as above)
#   !nofile PATH              no file at this path below the work folder
#   !content PATH TEXT        the file below the work folder holds exactly TEXT
#   !top TITLE                the window with this title lies above every other window
#
# Lines starting with @ make the disc before the program starts (see prepare):
#   @file PATH TEXT           a file below the work folder (the disc is disc/), holding
#                             TEXT; PATH may hold backslashes, which stay in the name
#   @fifo PATH                a named pipe in place of whatever stands at PATH

wid=""
last_click=""
click_at() {
  # Two clicks on one spot within the double-click time are a double-click, to Windows
  # and to this program alike: a walk's separate clicks wait that long.
  [ "$last_click" = "$wid $1 $2" ] && sleep 0.6
  last_click="$wid $1 $2"
  xdotool mousemove --window "$wid" "$1" "$2" click 1
}
dblclick_at() {
  last_click="$wid $1 $2"
  xdotool mousemove --window "$wid" "$1" "$2" click --repeat 2 --delay 80 1
}

# close_window TITLE FORM: closes a window by its close box and waits until the trace says
# FORM was hidden. Under Xvfb without a window manager the toolkit at times lets a close
# request pass until the window has had another click, so it asks again after a click on
# the window's bare corner.
close_window() {
  local title=$1 form=$2 before w
  before=$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)
  hidden() { [ "$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)" -gt "$before" ]; }
  for _ in 1 2 3 4 5; do
    w=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | head -n 1)
    "$x11close" "$title" || return 1
    for _ in $(seq 15); do hidden && return 0; sleep 0.1; done
    [ -n "$w" ] && xdotool mousemove --window "$w" 5 200 click 1
    sleep 0.3
  done
  hidden
}
# Items stand at Top 2400 + k * 255 twips, Left 1560; 15 twips to a pixel.
click_row() { click_at 120 $(( (2400 + $1 * 255) / 15 + 8 )); }
row_y() { echo $(( (2400 + $1 * 255) / 15 + 8 )); }

last_field_line() { grep "^$1"$'\t' "$trace" | tail -n 1; }

wait_for() { # wait_for COMMAND...: up to 10 seconds
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

expect_page() { # expect_page LINES-BEFORE CAPTION ITEMS-LINE
  local before=$1 caption=$2 items=$3
  page_shown() {
    tail -n +"$((before + 1))" "$trace" | grep -qxF -- $'caption\tformMain\t'"$caption" &&
      [ "$(last_field_line items)" = "$items" ]
  }
  wait_for page_shown || { echo "after the click: expected caption '$caption' and $items"; return 1; }
}

in_trace() { grep -qxF -- "$1" "$trace"; }
declare -A seen # how often each !expect line was waited for
in_trace_times() { [ "$(grep -cxF -- "$1" "$trace")" -ge "$2" ]; }
disc_path() { local p=${work//\//\\}; printf 'Z:%s\\disc' "$p"; }
# The display's shown windows, bottom first (without a window manager, the root's children).
stacking() {
  local id
  xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }' | tac | while read -r id; do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && printf '%d\n' "$id"
  done
}
on_top() { # on_top TITLE
  local want
  want=$(xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | head -n 1)
  [ -n "$want" ] && [ "$(stacking | tail -n 1)" = "$want" ]
}
called_with() { grep -qF -- "$1" "$calls" 2>/dev/null; }
window_named() { wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$wid" ]; }

walk_step() {
  local line=$1 row caption items before arg
  before=$(wc -l <"$trace")
  arg=${line#* }
  case "$line" in
  '!main') wid=$main_wid ;;
  '!focus') xdotool windowfocus "$wid"; sleep 0.2 ;;
  '!row '*) wid=$main_wid; click_row "$arg" ;;
  '!window '*)
    wait_for window_named "$(printf '%s' "$arg" | sed 's/[][().*^$]/\\&/g')" || { echo "no window '$arg'"; return 1; } ;;
  '!click '*) click_at ${arg% *} ${arg#* } ;;
  '!type '*)
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 15 -- "$arg" ;;
  '!key '*)
    local key
    for key in $arg; do xdotool key --clearmodifiers "$key"; sleep 0.15; done ;;
  '!page '*)
    caption=$'caption\tformMain\t'${arg%%|*}
    items="items"$'\t'"${arg#*|}"
    items=${items//|/$'\t'}
    on_page() { [ "$(grep $'^caption\tformMain\t' "$trace" | tail -n 1)" = "$caption" ] &&
      [ "$(last_field_line items)" = "$items" ]; }
    wait_for on_page || { echo "expected the page '$caption' with $items"; return 1; } ;;
  '!expect '*)
    arg=${arg//\\t/$'\t'}
    arg=${arg//@DISC/$(disc_path)}
    seen[$arg]=$(( ${seen[$arg]:-0} + 1 ))
    wait_for in_trace_times "$arg" "${seen[$arg]}" ||
      { echo "not ${seen[$arg]} times in the trace: $arg"; return 1; } ;;
  '!called '*)
    arg=${arg//@WORK/$work}
    wait_for called_with "$arg" || { echo "never called: $arg"; cat "$calls" 2>/dev/null; return 1; } ;;
  '!shot '*)
    sleep 0.3
    if command -v import >/dev/null; then import -window root "${shot%.png}-$arg.png" || true; fi ;;
  '!file '*)
    wait_for test -f "$work/$arg" || { echo "no file $arg"; return 1; } ;;
  '!dblrow '*) wid=$main_wid; dblclick_at 120 "$(row_y "$arg")" ;;
  '!dblclick '*) dblclick_at ${arg% *} ${arg#* } ;;
  '!close '*)
    local form=${arg%% *}
    close_window "${arg#* }" "$form" || { echo "window '${arg#* }' did not close"; return 1; } ;;
  '!count '*)
    sleep 1
    local n=${arg%% *} want=${arg#* } got
    want=${want//\\t/$'\t'}
    got=$(grep -cxF -- "$want" "$trace" || true)
    [ "$got" = "$n" ] || { echo "$got times in the trace, not $n: $want"; return 1; } ;;
  '!calls '*)
    sleep 1
    local n=${arg%% *} text=${arg#* } got
    text=${text//@WORK/$work}
    got=$(grep -cF -- "$text" "$calls" 2>/dev/null || true)
    [ "$got" = "$n" ] || { echo "$got calls, not $n: $text"; cat "$calls" 2>/dev/null; return 1; } ;;
  '!top '*)
    wait_for on_top "$arg" || { echo "window '$arg' is not above the others"; stacking; return 1; } ;;
  '!nofile '*)
    sleep 0.5
    [ ! -e "$work/$arg" ] || { echo "a file that must not be there: $arg"; return 1; } ;;
  '!content '*)
    local path=${arg%% *} text=${arg#* }
    [ "$(cat "$work/$path" 2>/dev/null)" = "$text" ] || { echo "$path does not hold: $text"; return 1; } ;;
  *)
    row=${line%%|*}
    line=${line#*|}
    caption=${line%%|*}
    items="items"$'\t'"${line#*|}"
    items=${items//|/$'\t'}
    wid=$main_wid
    click_row "$row"
    expect_page "$before" "$caption" "$items" || return 1 ;;
  esac
}

prepare() { # prepare FILE: the @ lines, before the program starts
  local line arg path
  while IFS= read -r line; do
    arg=${line#* }
    case "$line" in
    '@file '*)
      path=$work/${arg%% *}
      mkdir -p "$(dirname "$path")"
      printf '%s' "${arg#* }" >"$path" ;;
    '@fifo '*)
      rm -f "$work/$arg"
      mkfifo "$work/$arg" ;;
    esac
  done <"$1"
}

walk() { # walk FILE
  local line
  while IFS= read -r line; do
    case "$line" in '' | '#'* | '@'*) continue ;; esac
    walk_step "$line" || { echo "at step: $line"; echo "--- trace ---"; cat "$trace"; return 1; }
  done <"$1"
}
