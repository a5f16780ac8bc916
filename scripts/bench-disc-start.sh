#!/usr/bin/env bash
# A cold start from a disc. The sample service disc is mastered with scripts/make-disc.sh
# from the release build (with discmenu.exe where build/windows holds one), and each
# program is started from the mounted image with the page cache dropped, until its main
# window shows. The image is read through a loop device with a CD drive's read-ahead (128
# KiB): the bytes read from that device are the bytes read from the disc, in how many
# stretches (a CD seeks between them), and what they take at a CD's 7 MB/s; beside them the
# time to the window on this machine. Medians of RUNS cold starts; goal: at most 16 MB.
# Not a test. Root only (loop device, page cache); without an X display it starts itself
# under xvfb-run.
#   scripts/bench-disc-start.sh [RUNS]     (default 3)
set -euo pipefail
[ "$(id -u)" = 0 ] || { echo "bench-disc-start.sh drops the page cache: run it as root" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
"$top/scripts/build.sh" release discmenu winwatch
watch=$top/build/release/bench/winwatch
work=$(mktemp -d)
mnt=$work/mnt
mkdir "$mnt"
trap 'rm -rf "$work"' EXIT
"$top/scripts/make-disc.sh" "$top/samples/service-disc" "$work/disc.iso" >/dev/null 2>"$work/make.txt" ||
  { cat "$work/make.txt" >&2; exit 1; }

dev=$(losetup -f --show -r "$work/disc.iso")
trap 'fusermount -u "$mnt" 2>/dev/null || true; losetup -d "$dev"; rm -rf "$work"' EXIT
blockdev --setra 256 "$dev"
stat=/sys/block/$(basename "$dev")/stat
# The device's pages in the page cache: the stretches read.
stretches() {
  python3 - "$dev" "$(blockdev --getsize64 "$dev")" <<'PY'
import ctypes, os, sys
size = int(sys.argv[2])
fd = os.open(sys.argv[1], os.O_RDONLY)
libc = ctypes.CDLL(None, use_errno=True)
libc.mmap.restype = ctypes.c_void_p
libc.mmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_long]
addr = libc.mmap(None, size, 1, 1, fd, 0)  # PROT_READ, MAP_SHARED: maps, reads nothing
vec = (ctypes.c_ubyte * ((size + 4095) // 4096))()
assert libc.mincore(ctypes.c_void_p(addr), ctypes.c_size_t(size), vec) == 0
print(sum(1 for i, v in enumerate(vec) if v & 1 and (i == 0 or not vec[i - 1] & 1)))
PY
}
# cold PROGRAM...: "milliseconds bytes stretches" of one start from a freshly mounted image.
cold() {
  fusermount -u "$mnt" 2>/dev/null || true
  sync
  echo 3 >/proc/sys/vm/drop_caches
  local before ms
  before=$(awk '{ print $3 }' "$stat")
  fuseiso "$dev" "$mnt"
  ms=$("$watch" 0 "$@" 2>"$work/watch.txt" | awk '{ print $2 }') || { cat "$work/watch.txt" >&2; exit 1; }
  echo "$ms $(( ($(awk '{ print $3 }' "$stat") - before) * 512 )) $(stretches)"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
report() { # report NAME PROGRAM...
  local name=$1 results
  shift
  results=$(for _ in $(seq "$runs"); do cold "$@"; done)
  local ms bytes stretches
  ms=$(cut -d' ' -f1 <<<"$results" | median)
  bytes=$(cut -d' ' -f2 <<<"$results" | median)
  stretches=$(cut -d' ' -f3 <<<"$results" | median)
  awk -v n="$name" -v b="$bytes" -v s="$stretches" -v ms="$ms" 'BEGIN {
    printf "%-34s %7.1f MB read in %3d stretches, %5.2f s at 7 MB/s; window after %5d ms here\n",
      n, b / 1e6, s, b / 7e6, ms }'
}

fuseiso "$dev" "$mnt"
echo "cold starts from the sample service disc's image, medians of $runs (goal: at most 16 MB read)"
echo "the Linux program's files: $(cd "$mnt/autorun" && du -scb discmenu discmenu-window qt.conf lib plugins licenses |
  awk 'END { printf "%.1f MB", $1 / 1e6 }')" \
  "(goal: at most 64 MB); the whole image: $(du -b "$work/disc.iso" | awk '{ printf "%.1f MB", $1 / 1e6 }')"
report "discmenu (Qt carried on the disc)" "$mnt/autorun/discmenu"
if [ -f "$mnt/autorun/discmenu.exe" ]; then
  . "$top/scripts/wine/env.sh"
  wineserver -p >/dev/null 2>&1 </dev/null || true # (one may be running already)
  trap 'wineserver -k >/dev/null 2>&1 || true; fusermount -u "$mnt" 2>/dev/null || true; losetup -d "$dev"; rm -rf "$work"' EXIT
  report "discmenu.exe under Wine" wine "$mnt/autorun/discmenu.exe"
else
  echo "discmenu.exe: not measured (no build/windows; cmake --preset windows && cmake --build --preset windows --target discmenu)"
fi
