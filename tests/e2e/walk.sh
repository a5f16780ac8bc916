# Walks the running program as a user would, and checks the trace after each step. Sourced
# by run-disc.sh, which sets wine (1 under Wine), trace, calls, work, disc_dir, home_dir and
# main_wid; the same walk files serve the Linux program and the Windows one.
#
# A walk file has one step a line:
#   ROW|CAPTION|ITEM|ITEM...  click item row ROW of the main window (0 = first row), then
#                             expect that window caption and those items
#   !page CAPTION|ITEM|ITEM...  expect that main window caption and those items, no click
#   !window TITLE             the window with this title takes the next clicks and keys
#   !main                     the main window does
#   !focus [TITLE]            that window (or the one with this title) takes the keyboard,
#                             as a desktop gives it
#   !answer                   the message box takes the keyboard, and Enter answers OK
#   !row N / !dblrow N        click / double-click item row N of the main window
#   !click X Y / !dblclick X Y  click / double-click at pixel X, Y of that window's client area
#   !type TEXT                select all in the focused text box and type TEXT
#   !text TEXT                type TEXT (into a console, say) as it is
#   !key KEY...               press keys in turn (xdotool's names: Return, Tab ...)
#   !expect LINE              wait for this line in the trace, once more than the walk has
#                             waited for it before (\t stands for a tab, @DISC for the staged
#                             disc as the program sees it: Z:\...\disc)
#   !count N LINE             after a moment, the trace holds LINE exactly N times
#   !called TEXT              wait for a Linux stand-in called with TEXT (@WORK: the work folder)
#   !calls N TEXT             after a moment, N Linux stand-in calls hold TEXT
#   !file PATH / !nofile PATH a file below the work folder (home/: drive C:) is / is not there
#   !content PATH TEXT        that file holds exactly TEXT (line ends aside)
#   !close FORM TITLE         close FORM's window (with this title) by its close box
#   !top TITLE                the window with this title lies above every other window
#   !shot NAME                a screenshot beside the test's own, for people to look at
#   !run PROGRAM              run a program of this folder, given the trace; it must succeed
#
# Lines starting with @ make the disc before the program starts (see prepare):
#   @file PATH TEXT           a file below the work folder (the disc is disc/, drive C: home/)
#                             holding TEXT; PATH may hold backslashes, which stay in the name
#   @fifo PATH                a named pipe in place of whatever stands at PATH
#   @under NAME               the disc is staged inside a folder NAME of the work folder
#   @realcmd                  under Wine, the console rows start the real cmd.exe

wid=""
last_click=""
window_title=main
declare -A seen # how often each !expect line was waited for

escaped() { printf '%s' "$1" | sed 's/[][().*^$\\]/\\&/g'; }
window_named() { wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$wid" ]; }
wait_for() { # wait_for COMMAND...: up to 10 seconds
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}
walk_path() { # a walk's PATH on this machine
  case "$1" in
  home/*) printf '%s/%s' "$home_dir" "${1#home/}" ;;
  disc/*) printf '%s/%s' "$disc_dir" "${1#disc/}" ;;
  *) printf '%s/%s' "$work" "$1" ;;
  esac
}
disc_path() { local p=${disc_dir//\//\\}; printf 'Z:%s' "$p"; }
in_trace() { grep -qxF -- "$1" "$trace"; }
in_trace_times() { [ "$(grep -cxF -- "$1" "$trace")" -ge "$2" ]; }
last_field_line() { grep "^$1"$'\t' "$trace" | tail -n 1; }
called_with() { grep -qF -- "$1" "$calls" 2>/dev/null; }

# Under Wine the frame is drawn inside the X window: a point of the client area lies in by
# the frame's borders, which the window's outer and client sizes (at 96 dpi) tell.
frame_offset() {
  [ "$wine" = 1 ] || { echo "0 0"; return; }
  local cw=554 ch=320 border
  case "$window_title" in
  "All included"*) cw=146 ch=253 ;;
  "Save In" | "Install path for"*) cw=371 ch=192 ;;
  esac
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  if [ "$WIDTH" -le "$cw" ]; then echo "0 0"; return; fi
  border=$(((WIDTH - cw) / 2))
  echo "$border $((HEIGHT - ch - border))"
}
click_at() { # click_at X Y [REPEAT]
  local off
  read -r -a off < <(frame_offset)
  # Two clicks on one spot within the double-click time are a double-click, to Windows
  # and to this program alike: a walk's separate clicks wait that long.
  [ "${3:-1}" = 1 ] && [ "$last_click" = "$wid $1 $2" ] && sleep 0.6
  last_click="$wid $1 $2"
  xdotool mousemove --window "$wid" $(($1 + off[0])) $(($2 + off[1])) \
    click --repeat "${3:-1}" --delay 80 1
}
# Items stand at Top 2400 + k * 255 twips, Left 1560; 15 twips to a pixel.
row_y() { echo $(((2400 + $1 * 255) / 15 + 8)); }

# The display's shown windows, bottom first: the window manager's list under Wine, the
# root's children without one.
stacking() {
  if [ "$wine" = 1 ]; then
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' |
      while read -r id; do printf '%d\n' "$id"; done
    return
  fi
  local id
  xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }' | tac | while read -r id; do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && printf '%d\n' "$id"
  done
}
on_top() {
  local want
  want=$(xdotool search --onlyvisible --name "^$(escaped "$1")\$" 2>/dev/null | head -n 1)
  [ -n "$want" ] && [ "$(stacking | tail -n 1)" = "$want" ]
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

# close_window TITLE FORM: closes a window by its frame and waits until the trace says FORM
# was hidden. Under Wine that is Alt+F4 through the window manager; under Xvfb without one
# the close box's message (x11close), which the toolkit at times lets pass until the window
# has had another click, so it asks again after a click on the window's bare corner.
close_window() {
  local title=$1 form=$2 before w
  before=$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)
  hidden() { [ "$(grep -c "^hide"$'\t'"$form\$" "$trace" || true)" -gt "$before" ]; }
  for _ in 1 2 3 4 5; do
    w=$(xdotool search --onlyvisible --name "^$(escaped "$title")\$" 2>/dev/null | head -n 1) || true
    if [ "$wine" = 1 ]; then
      [ -n "$w" ] && xdotool windowactivate --sync "$w" key --clearmodifiers alt+F4 2>/dev/null
    else
      "$helper" "$title" || return 1
    fi
    for _ in $(seq 20); do hidden && return 0; sleep 0.1; done
    [ "$wine" = 0 ] && [ -n "$w" ] && xdotool mousemove --window "$w" 5 200 click 1
    sleep 0.3
  done
  hidden
}

walk_step() {
  local line=$1 caption items arg path text n got
  arg=${line#* }
  case "$line" in
  '!main') wid=$main_wid window_title=main ;;
  '!focus' | '!focus '*)
    [ "$line" = '!focus' ] || walk_step "!window $arg" || return 1
    # Wine makes a window the active one when the window manager hands it the focus
    # (WM_TAKE_FOCUS), as for a click on its frame, not for the X focus alone.
    if [ "$wine" = 1 ]; then
      xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    else
      xdotool windowfocus "$wid"
    fi
    sleep 0.2 ;;
  '!answer') walk_step '!focus Tidewell CD' && walk_step '!key Return' ;;
  '!row '*) wid=$main_wid window_title=main; click_at 120 "$(row_y "$arg")" ;;
  '!dblrow '*) wid=$main_wid window_title=main; click_at 120 "$(row_y "$arg")" 2 ;;
  '!window '*)
    window_title=$arg
    wait_for window_named "$(escaped "$arg")" || { echo "no window '$arg'"; return 1; } ;;
  '!click '*) click_at ${arg% *} ${arg#* } ;;
  '!dblclick '*) click_at ${arg% *} ${arg#* } 2 ;;
  '!type '*)
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 15 -- "${arg//@DISC/"$(disc_path)"}" ;;
  '!text '*) xdotool type --delay 15 -- "$arg" ;;
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
    arg=${arg//@DISC/"$(disc_path)"}
    seen[$arg]=$((${seen[$arg]:-0} + 1))
    wait_for in_trace_times "$arg" "${seen[$arg]}" ||
      { echo "not ${seen[$arg]} times in the trace: $arg"; return 1; } ;;
  '!count '*)
    sleep 1
    n=${arg%% *} text=${arg#* }
    text=${text//\\t/$'\t'}
    got=$(grep -cxF -- "$text" "$trace" || true)
    [ "$got" = "$n" ] || { echo "$got times in the trace, not $n: $text"; return 1; } ;;
  '!called '*)
    [ "$wine" = 1 ] && return 0 # the trace's open and run lines tell it on both machines
    arg=${arg//@WORK/"$work"}
    wait_for called_with "$arg" || { echo "never called: $arg"; cat "$calls" 2>/dev/null; return 1; } ;;
  '!calls '*)
    [ "$wine" = 1 ] && return 0
    sleep 1
    n=${arg%% *} text=${arg#* }
    text=${text//@WORK/"$work"}
    got=$(grep -cF -- "$text" "$calls" 2>/dev/null || true)
    [ "$got" = "$n" ] || { echo "$got calls, not $n: $text"; cat "$calls" 2>/dev/null; return 1; } ;;
  '!file '*)
    path=$(walk_path "$arg")
    wait_for test -f "$path" || { echo "no file $arg"; return 1; }
    # The handler that wrote it may run on (more files, the shell's open, a window hidden):
    # what the walk does next waits for it, as a user's keys and clicks would.
    [ "$wine" = 1 ] && trace_still
    return 0 ;;
  '!nofile '*)
    sleep 0.5
    [ ! -e "$(walk_path "$arg")" ] || { echo "a file that must not be there: $arg"; return 1; } ;;
  '!content '*)
    path=$(walk_path "${arg%% *}") text=${arg#* }
    text=${text//@DISC/"$(disc_path)"}
    wait_for test -s "$path"
    [ "$(tr -d '\r' <"$path" 2>/dev/null)" = "$text" ] ||
      { echo "${arg%% *} holds $(cat "$path" 2>/dev/null), not: $text"; return 1; } ;;
  '!close '*)
    close_window "${arg#* }" "${arg%% *}" || { echo "window '${arg#* }' did not close"; return 1; } ;;
  '!top '*)
    wait_for on_top "$arg" || { echo "window '$arg' is not above the others"; stacking; return 1; } ;;
  '!run '*) "$(dirname "${BASH_SOURCE[0]}")/$arg" "$trace" ;;
  '!shot '*)
    sleep 0.3
    import -window root "${shot%.png}-$arg.png" || true ;;
  *)
    local before
    before=$(wc -l <"$trace")
    caption=$'caption\tformMain\t'$(cut -d'|' -f2 <<<"$line")
    items="items"$'\t'"${line#*|*|}"
    items=${items//|/$'\t'}
    wid=$main_wid window_title=main
    click_at 120 "$(row_y "${line%%|*}")"
    page_shown() {
      tail -n +"$((before + 1))" "$trace" | grep -qxF -- "$caption" &&
        [ "$(last_field_line items)" = "$items" ]
    }
    wait_for page_shown || { echo "after the click: expected $caption and $items"; return 1; } ;;
  esac
}

walk_option() { grep -m1 "^@$1" "$2" 2>/dev/null | cut -s -d' ' -f2- || true; } # walk_option NAME FILE

prepare() { # prepare FILE: the @ lines, before the program starts
  local line arg path
  while IFS= read -r line; do
    arg=${line#* }
    case "$line" in
    '@file '*)
      path=$(walk_path "${arg%% *}")
      mkdir -p "$(dirname "$path")"
      printf '%s' "${arg#* }" >"$path" ;;
    '@fifo '*)
      path=$(walk_path "$arg")
      rm -f "$path"
      mkfifo "$path" ;;
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
