#!/usr/bin/env bash
# A cold start from a disc. The sample service disc is mastered with scripts/make-disc.sh
# from the release build (with discmenu.exe where build/windows holds one), and each
# program is started from the mounted image with the page cache dropped, until its main
# window shows. For each: the bytes read from the image (its pages that the start brought
# into the cache, read-ahead included, and in how many stretches: a CD seeks between
# them), what that takes at a CD's 7 MB/s, and the time to the window on this machine.
# Medians of RUNS cold starts; goal: at most 16 MB read. Not a test. Root only (it drops
# the page cache); without an X display it starts itself under xvfb-run.
#   scripts/bench-disc-start.sh [RUNS]     (default 3)
set -euo pipefail
[ "$(id -u)" = 0 ] || { echo "bench-disc-start.sh drops the page cache: run it as root" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
"$top/scripts/build.sh" release discmenu winwatch
watch=$top/build/release/tests/bench/winwatch
work=$(mktemp -d)
mnt=$work/mnt
mkdir "$mnt"
trap 'fusermount -u "$mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
"$top/scripts/make-disc.sh" "$top/samples/service-disc" "$work/disc.iso" >/dev/null 2>"$work/make.txt" ||
  { cat "$work/make.txt" >&2; exit 1; }

# The image's pages in the page cache: "bytes stretches".
cached() {
  python3 - "$work/disc.iso" <<'PY'
import ctypes, os, sys
size = os.path.getsize(sys.argv[1])
fd = os.open(sys.argv[1], os.O_RDONLY)
libc = ctypes.CDLL(None, use_errno=True)
libc.mmap.restype = ctypes.c_void_p
libc.mmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_long]
addr = libc.mmap(None, size, 1, 1, fd, 0)  # PROT_READ, MAP_SHARED: maps, reads nothing
pages = (size + 4095) // 4096
vec = (ctypes.c_ubyte * pages)()
assert libc.mincore(ctypes.c_void_p(addr), ctypes.c_size_t(size), vec) == 0
resident = [v & 1 for v in vec]
stretches = sum(1 for i, r in enumerate(resident) if r and (i == 0 or not resident[i - 1]))
print(sum(resident) * 4096, stretches)
PY
}
# cold PROGRAM...: "milliseconds bytes stretches" of one start from a freshly mounted image.
cold() {
  fusermount -u "$mnt" 2>/dev/null || true
  sync
  echo 3 >/proc/sys/vm/drop_caches
  fuseiso "$work/disc.iso" "$mnt"
  local ms
  ms=$("$watch" 0 "$@" 2>"$work/watch.txt" | awk '{ print $2 }') || { cat "$work/watch.txt" >&2; exit 1; }
  echo "$ms $(cached)"
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

fuseiso "$work/disc.iso" "$mnt"
echo "cold starts from the sample service disc's image, medians of $runs (goal: at most 16 MB read)"
echo "the Linux program's folder on the disc: $(du -sb "$mnt/autorun" | awk '{ printf "%.1f MB", $1 / 1e6 }')" \
  "(goal: at most 64 MB)"
report "discmenu (Qt carried on the disc)" "$mnt/autorun/discmenu"
if [ -f "$mnt/autorun/discmenu.exe" ]; then
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  WINEPREFIX=$("$top/tests/win32/wine-prefix.sh")
  wineserver -p >/dev/null 2>&1 </dev/null
  trap 'wineserver -k >/dev/null 2>&1 || true; fusermount -u "$mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
  report "discmenu.exe under Wine" wine "$mnt/autorun/discmenu.exe"
else
  echo "discmenu.exe: not measured (no build/windows; cmake --preset windows && cmake --build --preset windows --target discmenu)"
fi
