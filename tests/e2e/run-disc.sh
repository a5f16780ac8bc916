#!/usr/bin/env bash
# Starts the built program from the autorun folder of a staged copy of a sample disc,
# under a virtual display with the support trace on; checks that the main window shows
# what the disc predicts, takes a screenshot, closes the window by its close box and
# checks that the process ends.
# With a walk file, it then clicks through the menu (see walk.sh).
#   run-disc.sh PROGRAM X11CLOSE DISC-FOLDER EXPECTED-TRACE SHOT.png [WALK]
# DISCMENU_LAUNCH=COMMAND starts the program through COMMAND (given the program's path).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
program=$1 x11close=$2 disc=$3 expected=$4 shot=$5 walkfile=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; if [ "$ok" = 1 ]; then rm -rf "$work"; else echo "kept $work"; fi' EXIT
ok=0 pid=""
"$here/../../scripts/stage-disc.sh" "$program" "$disc" "$work/disc"
. "$here/walk.sh"
if [ -n "$walkfile" ]; then prepare "$walkfile"; fi
trace="$work/trace.txt"
# Stand-ins for the desktop's opener and terminal: they only write down how they were called.
calls="$work/calls.txt"
mkdir -p "$work/bin"
for tool in xdg-open x-terminal-emulator; do
  name=$tool
  [ "$tool" = x-terminal-emulator ] && name=terminal
  # printf, not echo: a backslash in a name is written as it is.
  printf '#!/bin/sh\nprintf "%%s\\n" "%s $* @ $(pwd)" >>"%s"\n' "$name" "$calls" >"$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done
# The user's home, drive C:, is a folder of the test's own.
mkdir -p "$work/home"
PATH="$work/bin:$PATH" HOME="$work/home" TERMINAL= VISUAL= EDITOR= DISCMENU_TRACE="$trace" \
  ${DISCMENU_LAUNCH:-} "$work/disc/autorun/discmenu" &
pid=$!

for _ in $(seq 100); do
  grep -q $'^show\tformMain$' "$trace" 2>/dev/null && break
  sleep 0.2
done
grep -q $'^show\tformMain$' "$trace" || { echo "the main window never showed"; cat "$trace"; exit 1; }

# Every line the disc predicts stands in the trace.
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
# A caller's own check of the trace, when it gives one (TRACE_CHECK=PROGRAM, called with the trace).
if [ -n "${TRACE_CHECK:-}" ] && ! "$TRACE_CHECK" "$trace"; then
  echo "the trace check $TRACE_CHECK failed"; exit 1
fi

sleep 0.5
if command -v import >/dev/null; then
  mkdir -p "$(dirname "$shot")"
  import -window root "$shot" || true
fi

if [ -n "$walkfile" ]; then
  title=$(grep $'^caption\tformMain\t' "$trace" | tail -n 1 | cut -f3)
  main_wid=$(xdotool search --name "^${title//[()]/.}\$" | head -n 1)
  [ -n "$main_wid" ] || { echo "no window titled '$title'"; exit 1; }
  walk "$walkfile"
fi

# The program runs while any of its windows is open: the dialog and the browser, where
# shown, are closed first (the browser's end brings the main window back), then the main
# window, the last one.
for form in FormFileSave FormFiles; do
  if [ "$(grep -E "^(show|hide)"$'\t'"$form\$" "$trace" | tail -n 1 | cut -f1)" = show ]; then
    title=$(grep "^caption"$'\t'"$form"$'\t' "$trace" | tail -n 1 | cut -f3)
    close_window "$title" "$form" || { echo "window '$title' did not close"; exit 1; }
    sleep 0.5
  fi
done
title=$(grep $'^caption\tformMain\t' "$trace" | tail -n 1 | cut -f3)
close_window "$title" formMain || { echo "the main window '$title' did not close"; exit 1; }
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
echo "ok: $(basename "$disc")"
