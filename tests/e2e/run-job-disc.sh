#!/usr/bin/env bash
# The program on a service disc with many jobs, made here and thrown away afterwards: the
# window must come up, and the trace must list the jobs once, all of them, in order.
#   run-job-disc.sh COUNT PROGRAM X11CLOSE SHOT.png
set -euo pipefail
count=$1 program=$2 x11close=$3 shot=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/make-job-disc.sh" "$count" "$work/disc"

ids=() rma=""
for ((i = 0; i < count; i++)); do
  id=$((100001 + i))
  ids+=("$id")
  if ((i == 0)); then rma=$id; elif ((i == count - 1)); then rma+=" and $id"; else rma+=", $id"; fi
done
jobs=$(printf '\\t%s' "${ids[@]}")
{
  echo 'show\tformMain'
  echo "caption\\tformMain\\tTidewell Software CD - ${ids[0]}"
  echo "text\\tlblRMATitle\\tRMA # $rma"
  echo "jobs$jobs"
} >"$work/expected.trace"

# Exactly one line of the trace names the jobs: the list is not written again as it grows.
printf '!count 1 %s\n' "jobs$jobs" >"$work/jobs.walk"
"$here/run-disc.sh" "$program" "$x11close" "$work/disc" "$work/expected.trace" "$shot" "$work/jobs.walk"
