# Walks the menu of the running program by clicking its rows, as a user would, and checks
# the trace after each click. Sourced by run-disc.sh, which sets trace, wid, calls and
# disc_host.
#   Each step of a walk file:  ROW|CAPTION|ITEM|ITEM...   click item row ROW (0 = first
#                              row), then expect that window caption and those items
#                              !browse                     click "Browse this CD"
#                              !console ROW                click a console row

click_at() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
# Items stand at Top 2400 + k * 255 twips, Left 1560; 15 twips to a pixel.
click_row() { click_at 120 $(( (2400 + $1 * 255) / 15 + 8 )); }

last_field_line() { grep "^$1"$'\t' "$trace" | tail -n 1; }

wait_for() { # wait_for COMMAND...: up to 5 seconds
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  return 1
}

expect_page() { # expect_page LINES-BEFORE CAPTION ITEMS-LINE
  local before=$1 caption=$2 items=$3
  page_shown() {
    tail -n +"$((before + 1))" "$trace" | grep -qxF -- $'caption\tformMain\t'"$caption" &&
      [ "$(last_field_line items)" = "$items" ]
  }
  wait_for page_shown || {
    echo "after the click: expected caption '$caption' and $items"
    echo "--- trace ---"; cat "$trace"; return 1
  }
}

called_with() { grep -qF -- "$1" "$calls" 2>/dev/null; }

walk() { # walk FILE
  local line row caption items before
  while IFS= read -r line; do
    [ -z "$line" ] && continue
    before=$(wc -l <"$trace")
    case "$line" in
    '!browse')
      click_at $(( 6720 / 15 + 20 )) $(( 4440 / 15 + 8 ))
      wait_for called_with "xdg-open $disc_host" || { echo "Browse this CD opened nothing"; cat "$calls"; return 1; }
      ;;
    '!console '*)
      click_row "${line#!console }"
      wait_for called_with "terminal -e /bin/sh -c" || { echo "no console started"; cat "$calls"; return 1; }
      grep -q $'^run\tcmd.exe /k pushd ' "$trace" || { echo "no run line"; return 1; }
      ;;
    *)
      row=${line%%|*}
      line=${line#*|}
      caption=${line%%|*}
      items="items"$'\t'"${line#*|}"
      items=${items//|/$'\t'}
      click_row "$row"
      expect_page "$before" "$caption" "$items" || return 1
      ;;
    esac
  done <"$1"
}
