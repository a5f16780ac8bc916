#!/usr/bin/env bash
# How long "discmenu --check" takes on a large service disc, beside listing the same tree
# once with find in the same run: warm cache (best of several runs) and, where the machine
# lets us drop the page cache (root, /proc/sys/vm/drop_caches writable), cold cache. Then
# the same for discs of a quarter, half and twice the size, to show how it grows.
#   scripts/bench-check.sh [PROGRAM]     (default: the release build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$top/build/release/discmenu}
if [ ! -x "$program" ]; then
  cmake --preset release -S "$top" -DDISCMENU_BUILD_TESTS=OFF >/dev/null
  cmake --build "$top/build/release" --target discmenu -j2 >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A service disc: JOBS job folders holding FILES files in all, and a software folder.
make_disc() {
  python3 - "$1" "$2" "$3" <<'PY'
import os, sys
root, jobs, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def touch(p, data=b"x"):
    os.makedirs(os.path.dirname(p), exist_ok=True)
    with open(p, "wb") as f: f.write(data)
touch(f"{root}/autorun/version", b"7.16\r\n")
sw = f"{root}/CD Current Version (7.16)/Components"
for f in ["website/index.htm", "CDContentsAndInstallation.pdf", "progsoftware/prog16.exe",
          "calpush.exe", "Adobe Acrobat/rp505enu.exe", "brinext-win32_7.16.exe",
          "BrinextSwell_2.1.exe", "quaylog_5.30.pdf", "quaylog_7.2.pdf",
          "TWLDATAPROCESSING_7.16.pdf", "TWL Battery Budget Calculator.xls",
          "brinext.dos/binstall.bat", "bxswell.dos/SETUP31.BAT"]:
    touch(f"{sw}/{f}")
kinds = ["calibration documents", "configuration documents", "con & ini files", "recovered data"]
per = max(1, (files - 13) // jobs)
for j in range(jobs):
    job = f"{root}/{10000 + j}_CD_Contents"
    touch(f"{job}/service Report.pdf")
    for i in range(per - 1):
        touch(f"{job}/{kinds[i % 4]}/file{i:03d}.dat")
PY
}

ms() { echo $(( ($2 - $1) / 1000000 )); }
now() { date +%s%N; }
can_drop=0
if [ "$(id -u)" = 0 ] && (echo 3 >/proc/sys/vm/drop_caches) 2>/dev/null; then can_drop=1; fi

# run DISC: prints "check-ms find-ms" for the best of 5 warm runs.
warm() {
  "$program" --check "$1" >/dev/null || true; find "$1" >/dev/null
  local best_c=999999 best_f=999999 t0 t1
  for _ in 1 2 3 4 5; do
    t0=$(now); "$program" --check "$1" >/dev/null || true; t1=$(now)
    best_c=$(( $(ms "$t0" "$t1") < best_c ? $(ms "$t0" "$t1") : best_c ))
    t0=$(now); find "$1" >/dev/null; t1=$(now)
    best_f=$(( $(ms "$t0" "$t1") < best_f ? $(ms "$t0" "$t1") : best_f ))
  done
  echo "$best_c $best_f"
}
cold() {
  local t0 t1 c f
  sync; echo 3 >/proc/sys/vm/drop_caches
  t0=$(now); "$program" --check "$1" >/dev/null || true; t1=$(now); c=$(ms "$t0" "$t1")
  sync; echo 3 >/proc/sys/vm/drop_caches
  t0=$(now); find "$1" >/dev/null; t1=$(now); f=$(ms "$t0" "$t1")
  echo "$c $f"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b < 1) b = 1; printf "%.2f", a / b }'; }

printf '%-22s %-6s %10s %10s %8s\n' "disc" "cache" "check ms" "find ms" "ratio"
for size in "125 5000" "250 10000" "500 20000" "1000 40000"; do
  set -- $size
  disc="$work/disc-$1"
  make_disc "$disc" "$1" "$2"
  n=$(find "$disc" -type f | wc -l)
  read -r c f < <(warm "$disc")
  printf '%-22s %-6s %10s %10s %8s\n' "$1 jobs, $n files" warm "$c" "$f" "$(ratio "$c" "$f")"
  if [ "$can_drop" = 1 ]; then
    read -r c f < <(cold "$disc")
    printf '%-22s %-6s %10s %10s %8s\n' "$1 jobs, $n files" cold "$c" "$f" "$(ratio "$c" "$f")"
  fi
  rm -rf "$disc"
done
[ "$can_drop" = 1 ] || echo "cold cache: not measured (dropping the page cache is not permitted here)"
echo "goal: check within 2x find"
