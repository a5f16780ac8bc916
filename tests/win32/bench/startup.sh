#!/usr/bin/env bash
# Start-up time under Wine: from process start to the main window showing on the display,
# for discmenu.exe on the staged sample service disc and for a minimal Win32 window (one
# painted label) built with the same toolchain, measured alternately in one run, with the
# ratio. Also the size of discmenu.exe.
#   tests/win32/bench/startup.sh [RUNS]     (after cmake --build --preset windows; 40 runs)
set -euo pipefail
if [ -z "${DISCMENU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_XVFB=1 "$0" "$@"
fi
runs=${1:-40}
top=$(cd "$(dirname "$0")/../../.." && pwd)
build=$top/build/windows
export WINEPREFIX
WINEPREFIX=$("$top/tests/win32/wine-prefix.sh")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $wm 2>/dev/null; rm -rf "$work"' EXIT
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
"$top/scripts/stage-disc.sh" "$build/discmenu.exe" "$top/samples/service-disc" "$work/disc"
cp "$build/tests/minimal_window.exe" "$work/minimal.exe"

# Milliseconds from the start of the program to a visible window with the title.
startup() { # startup EXE TITLE-REGEX
  local t0 pid wid=""
  t0=$(date +%s%N)
  wine "$1" >/dev/null 2>&1 </dev/null &
  pid=$!
  until [ -n "$wid" ]; do
    wid=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1) || true
  done
  echo $(( ($(date +%s%N) - t0) / 1000000 ))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 0.3
}
startup "$work/minimal.exe" '^Minimal window$' >/dev/null # the first start warms the caches
startup "$work/disc/autorun/discmenu.exe" '^Tidewell' >/dev/null
ours=() ref=()
for _ in $(seq "$runs"); do
  ref+=("$(startup "$work/minimal.exe" '^Minimal window$')")
  ours+=("$(startup "$work/disc/autorun/discmenu.exe" '^Tidewell')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m_ours=$(median "${ours[@]}")
m_ref=$(median "${ref[@]}")
echo "start-up to a visible window under Wine, median of $runs runs:"
echo "  discmenu.exe (sample service disc): ${m_ours} ms"
echo "  minimal Win32 window:               ${m_ref} ms"
awk -v a="$m_ours" -v b="$m_ref" 'BEGIN { printf "  ratio of the medians: %.2f (goal: at most 1.15)\n", a / b }'
# Each start beside the reference's start just before it: the machine's load drifts between
# pairs more than within one.
pairs=()
for i in "${!ours[@]}"; do
  pairs+=("$(awk -v a="${ours[$i]}" -v b="${ref[$i]}" 'BEGIN { printf "%.3f", a / b }')")
done
echo "  median of the paired ratios: $(median "${pairs[@]}")"
echo "discmenu.exe: $(stat -c %s "$build/discmenu.exe") bytes (goal: at most 1048576)"
