#!/usr/bin/env bash
# Writes a service disc with many jobs: COUNT job folders (ids 100001 upwards, the first
# with a service report), the version folder with a few components, and the version file.
# Made at test time, never stored.
#   make-job-disc.sh COUNT TARGET-FOLDER
set -euo pipefail
count=$1 target=$2
rm -rf "$target"
mkdir -p "$target/autorun" "$target/CD Current Version (7.16)/Components/website"
printf '7.16\r\n' >"$target/autorun/version"
components="$target/CD Current Version (7.16)/Components"
printf 'manual\n' >"$components/Shoal7 manual.pdf"
printf '<html></html>\n' >"$components/website/index.htm"
printf 'contents\n' >"$components/CDContentsAndInstallation.pdf"
# The ids are the job numbers the trace must list.
for ((i = 0; i < count; i++)); do
  printf '%s/%d_CD_Contents\n' "$target" $((100001 + i))
done | xargs -d '\n' mkdir
printf 'report\n' >"$target/100001_CD_Contents/service Report.pdf"
