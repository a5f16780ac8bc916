#!/usr/bin/env bash
# Fuzzes the program's text inputs (version file, job file, listed names, typed paths)
# with AFL++ and its GCC plugin for a given time, from a seed corpus made of the sample
# discs, and reports the executions and what was found. Crashes and hangs land in
# build/fuzz/out/default/{crashes,hangs}; copy each into tests/fuzz/regressions/ (after
# the fix) so that the tests play it from then on.
#   scripts/fuzz.sh [SECONDS]        (default 3600)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-3600}
if ! command -v afl-g++-fast >/dev/null || ! dpkg-query -W gcc-12-plugin-dev >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq afl++ gcc-12-plugin-dev >/dev/null
fi

build=build/fuzz
mkdir -p "$build"
# A plugin built for an earlier build of the same compiler refuses to load; see the file.
if ! echo 'int main(){}' | afl-g++-fast -x c++ - -o "$build/probe" >/dev/null 2>&1; then
  g++ -shared -fPIC -O2 tools/fuzz/PluginVersionMatch.cpp -o "$build/plugin-version-match.so" -ldl
  export LD_PRELOAD="$top/$build/plugin-version-match.so"
fi
# The target needs only the core and the POSIX adapter. (AFL++'s loop macro is a GNU
# extension, hence -Wno-pedantic here only.)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDISCMENU_BUILD_QT=OFF \
  -DDISCMENU_BUILD_TESTS=OFF -DCMAKE_CXX_COMPILER=afl-g++-fast \
  -DCMAKE_CXX_FLAGS=-Wno-pedantic >/dev/null
AFL_QUIET=1 cmake --build "$build" --target fuzz_text_inputs -j2 >/dev/null
unset LD_PRELOAD

# Seeds: the first byte picks the input (0 version and job file, 1 listed names, 2 a
# typed path), the rest is taken from the sample discs.
seeds="$build/seeds"
rm -rf "$seeds" && mkdir -p "$seeds"
n=0
for disc in samples/*/; do
  version="$disc/autorun/version"
  for job in "$disc"/*.job /dev/null; do
    [ -e "$job" ] || continue
    { printf '\0'; cat "$version"; printf '\0'; cat "$job"; } >"$seeds/version-$((n++))"
  done
  { printf '\1'; find "$disc" -mindepth 1 -maxdepth 2 -printf '%f\n'; } >"$seeds/names-$((n++))"
done
for path in 'C:\out' 'C:\out\new folder\deeper' 'E:\' 'C:' 'Q:\x' 'C:\..\..\x' 'c:\OUT\.\x' \
  'C:\a:b*c?' '\\server\share' 'D:\CD Current Version (7.16)\Components'; do
  { printf '\2'; printf '%s' "$path"; } >"$seeds/path-$((n++))"
done

out="$build/out"
# The target writes a small disc tree for each input: in memory where the machine offers it.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_UI=1
if [ -d "$out/default/queue" ]; then input=(-i -); else input=(-i "$seeds"); fi
timeout --foreground $((seconds + 60)) afl-fuzz "${input[@]}" -o "$out" -V "$seconds" -t 2000 \
  -- "$build/tools/fuzz_text_inputs" >"$build/afl.log" 2>&1 || true

stats="$out/default/fuzzer_stats"
[ -f "$stats" ] || { tail -30 "$build/afl.log"; exit 1; }
get() { awk -F: -v k="$1" '$1 ~ "^"k" *$" {gsub(/ /, "", $2); print $2}' "$stats"; }
crashes=$(find "$out/default/crashes" -type f -name 'id:*' 2>/dev/null | wc -l)
hangs=$(find "$out/default/hangs" -type f -name 'id:*' 2>/dev/null | wc -l)
echo "fuzzed for $(get run_time) s: $(get execs_done) executions ($(get execs_per_sec) per second)," \
  "$(get corpus_count) inputs in the corpus, $(get bitmap_cvg) of the map covered;" \
  "$crashes crashes, $hangs hangs"
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ]
