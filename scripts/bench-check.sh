#!/usr/bin/env bash
# How long "discmenu --check" takes on a large service disc, beside listing the same tree
# once with find in the same run: warm cache (best of several runs) and, where the machine
# lets us drop the page cache (root, /proc/sys/vm/drop_caches writable), cold cache. Then
# the same for discs of a quarter, half and twice the size, to show how it grows.
#   scripts/bench-check.sh [PROGRAM]     (default: the release build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$top/build/release/discmenu}
[ -n "${1:-}" ] || "$top/scripts/build.sh" release discmenu
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

now() { date +%s%N; }
can_drop=0
if [ "$(id -u)" = 0 ] && (echo 3 >/proc/sys/vm/drop_caches) 2>/dev/null; then can_drop=1; fi

# timed CMD...: "wall-ms cpu-ms" (cpu: user and system time of the command)
timed() {
  local TIMEFORMAT='%R %U %S' t
  t=$( { time "$@" >/dev/null 2>&1; } 2>&1 | tail -n 1)
  awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%d %d\n", a[1] * 1000, (a[2] + a[3]) * 1000 }'
}
check() { "$program" --check "$1"; return 0; }
# best of 5 warm runs of each: "check-wall check-cpu find-wall find-cpu"
warm() {
  check "$1" >/dev/null; find "$1" >/dev/null
  local cw=999999 cc=999999 fw=999999 fc=999999 w c
  for _ in 1 2 3 4 5; do
    read -r w c < <(timed check "$1"); ((w < cw)) && cw=$w; ((c < cc)) && cc=$c
    read -r w c < <(timed find "$1"); ((w < fw)) && fw=$w; ((c < fc)) && fc=$c
  done
  echo "$cw $cc $fw $fc"
}
cold() {
  local cw cc fw fc
  sync; echo 3 >/proc/sys/vm/drop_caches
  read -r cw cc < <(timed check "$1")
  sync; echo 3 >/proc/sys/vm/drop_caches
  read -r fw fc < <(timed find "$1")
  echo "$cw $cc $fw $fc"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b < 1) b = 1; printf "%.2f", a / b }'; }
row() { # label cache cw cc fw fc
  printf '%-22s %-5s %8s %8s %6s   %8s %8s %6s\n' "$1" "$2" "$3" "$5" "$(ratio "$3" "$5")" \
    "$4" "$6" "$(ratio "$4" "$6")"
}

echo "milliseconds; wall is elapsed time, cpu is user + system time of the process"
printf '%-22s %-5s %8s %8s %6s   %8s %8s %6s\n' "disc" "cache" "check" "find" "ratio" \
  "check" "find" "ratio"
printf '%-22s %-5s %24s   %24s\n' "" "" "------- wall -------" "------- cpu --------"
for size in "125 5000" "250 10000" "500 20000" "1000 40000"; do
  set -- $size
  disc="$work/disc-$1"
  make_disc "$disc" "$1" "$2"
  n=$(find "$disc" -type f | wc -l)
  row "$1 jobs, $n files" warm $(warm "$disc")
  [ "$can_drop" = 1 ] && row "$1 jobs, $n files" cold $(cold "$disc")
  rm -rf "$disc"
done
[ "$can_drop" = 1 ] || echo "cold cache: not measured (dropping the page cache is not permitted here)"
echo "goal: check within 2x find; load average now: $(cut -d' ' -f1-3 /proc/loadavg)"
