#!/usr/bin/env bash
# Start-up time under Wine: from process start to the main window showing on the display,
# for discmenu.exe on the staged sample service disc and for a minimal Win32 window (one
# painted label) built with the same toolchain, measured alternately in one run, with the
# ratio. Also the size of discmenu.exe.
#   bench/win32/startup.sh [RUNS]        (40 runs; after the windows and the release builds:
#                                           the release build has the window watcher)
# DISCMENU_EXE=other.exe measures another build, or the minimal window itself (to see
# that the two sides are measured alike: a ratio of 1), or minimal_list_window.exe (what
# a bare window with the program's manifest and a list box in the visual styles costs).
set -euo pipefail
if [ -z "${DISCMENU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DISCMENU_IN_XVFB=1 "$0" "$@"
fi
runs=${1:-40}
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build/windows
watch=${WINWATCH:-$top/build/release/bench/winwatch}
[ -x "$watch" ] || { echo "needs $watch: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
. "$top/scripts/wine/env.sh"
work=$(mktemp -d)
wine_session
trap 'wine_session_end; rm -rf "$work"' EXIT
"$top/scripts/stage-disc.sh" "${DISCMENU_EXE:-$build/discmenu.exe}" "$top/samples/service-disc" \
  "$work/disc"
# Beside the program, so that both start from the same kind of place.
cp "$build/bench/win32/minimal_window.exe" "$work/disc/autorun/minimal.exe"

# Milliseconds from the start of the program to its first window mapped on the display,
# told by the X server's own notice (winwatch), so that no polling competes with the
# program for the two cores. Then the program is ended.
startup() { # startup EXE
  local line
  line=$("$watch" 0 wine "$1" 2>"$work/watch.err") || {
    echo "no window from $1:" >&2
    cat "$work/watch.err" >&2
    exit 1
  }
  echo "${line#visible_ms }" | cut -d' ' -f1
  sleep 0.3
}
startup "$work/disc/autorun/minimal.exe" >/dev/null # the first start warms the caches
startup "$work/disc/autorun/discmenu.exe" >/dev/null
# In pairs, each pair in the other order than the one before: on this machine the second
# start of a pair is slower than the first (the same program twice, in the old fixed
# order, came out 1.12 apart).
ours=() ref=()
for i in $(seq "$runs"); do
  if ((i % 2)); then
    ref+=("$(startup "$work/disc/autorun/minimal.exe")")
    ours+=("$(startup "$work/disc/autorun/discmenu.exe")")
  else
    ours+=("$(startup "$work/disc/autorun/discmenu.exe")")
    ref+=("$(startup "$work/disc/autorun/minimal.exe")")
  fi
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
