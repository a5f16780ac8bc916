#!/usr/bin/env bash
# Masters a sample disc with scripts/make-disc.sh, then checks the image: the source folder
# is unchanged; the image lists the disc's tree plus the staged programs (with the Qt they
# carry, which tests/bundle/bundle-test.sh checks) and autorun files, under Rock Ridge and
# under Joliet alike; its volume label; the extracted tree is the source tree; and the
# program started from the extracted tree shows the first page the disc predicts (the same
# lines the run from the folder shows).
#   make-disc-test.sh PROGRAM X11CLOSE DISC-FOLDER EXPECTED-TRACE SHOT.png
# Exit status 77: skipped (a sanitizer build, whose programs no disc can carry).
set -euo pipefail
program=$1 x11close=$2 disc=$3 expected=$4 shot=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
if ldd "$(dirname "$program")/discmenu-window" | grep libasan >/dev/null; then
  echo "SKIPPED: a sanitizer build needs the machine's sanitizer runtime; the debug build carries the test"
  exit 77
fi
work=$(mktemp -d)
ok=0
trap 'chmod -R u+w "$work" 2>/dev/null; if [ "$ok" = 1 ]; then rm -rf "$work"; else echo "kept $work"; fi' EXIT
fail() { echo "FAIL: $*"; exit 1; }

state() { (cd "$1" && find . -mindepth 1 -printf '%P\t%y\t%s\t%T@\t%m\n' | LC_ALL=C sort); }
state "$disc" >"$work/before"

# The program as the disc carries it, made once for every disc mastered below.
"$top/scripts/bundle-linux.sh" "$(dirname "$program")" "$work/program"
disc_program=$work/program/discmenu
# A stand-in for the Windows build, so that autorun.inf is written too.
printf 'MZ stand-in' >"$work/discmenu.exe"
DISCMENU_PROGRAM=$disc_program DISCMENU_EXE=$work/discmenu.exe DISCMENU_LABEL="Service disc 1001" \
  "$top/scripts/make-disc.sh" "$disc" "$work/out.iso" >"$work/make.txt" 2>&1 ||
  { cat "$work/make.txt"; fail "make-disc.sh failed"; }
[ -s "$work/out.iso" ] || fail "no image written"
state "$disc" >"$work/after"
diff "$work/before" "$work/after" || fail "the source folder changed"

# What the image must hold: the tree, and what mastering adds.
{
  (cd "$disc" && find . -mindepth 1 -printf '%P\n')
  printf '%s\n' autorun autorun/discmenu autorun/discmenu-window autorun/discmenu.exe autorun.inf \
    autorun.sh autorun/qt.conf autorun/lib autorun/plugins autorun/licenses
} | LC_ALL=C sort -u >"$work/want"
listing() { # xorriso options before -indev choose the tree that is read
  xorriso "$@" -indev "$work/out.iso" -find / 2>/dev/null | sed -e "s/^'//" -e "s/'\$//" \
    -e 's|^/||' | grep -v '^$' | LC_ALL=C sort
}
listing >"$work/rockridge"
grep -vE '^autorun/(lib|plugins|licenses)/' "$work/rockridge" | diff "$work/want" - ||
  fail "the Rock Ridge tree differs from the disc"
listing -rockridge off >"$work/joliet"
diff "$work/rockridge" "$work/joliet" || fail "the Joliet tree differs from the Rock Ridge tree"
xorriso -indev "$work/out.iso" -pvd_info 2>&1 | grep -q "^Volume [Ii]d *: *'*SERVICE_DISC_1001" ||
  fail "the volume label is not SERVICE_DISC_1001"

osirrox -indev "$work/out.iso" -extract / "$work/x" >/dev/null 2>&1 || fail "osirrox could not extract"
chmod -R u+w "$work/x"
diff -r -x autorun.sh -x autorun.inf -x discmenu -x discmenu-window -x discmenu.exe -x qt.conf \
  -x lib -x plugins -x licenses "$disc" "$work/x" || fail "the extracted tree differs from the disc"
cmp -s "$disc_program" "$work/x/autorun/discmenu" || fail "the program on the disc is not the one given"
cmp -s "$work/program/discmenu-window" "$work/x/autorun/discmenu-window" ||
  fail "the window program on the disc is not the one given"
[ -x "$work/x/autorun/discmenu" ] && [ -x "$work/x/autorun/discmenu-window" ] &&
  [ -x "$work/x/autorun.sh" ] || fail "a program lost its x bit"
printf '%s\r\n' "[autorun]" 'open=autorun\discmenu.exe' 'icon=autorun\discmenu.exe,0' \
  "label=Service disc 1001" "action=Open the Tidewell disc menu" | cmp -s - "$work/x/autorun.inf" ||
  fail "autorun.inf is not as Windows wants it: $(cat -A "$work/x/autorun.inf")"

# The header, the service date (the version folder's time stamp) included, survives burning.
header() { "$program" --check "$1" | grep '^Header' || true; }
[ "$(header "$disc")" = "$(header "$work/x")" ] ||
  fail "the header differs: $(header "$disc") / $(header "$work/x")"

# A disc with a problem is refused, and mastered only when forced; with a program folder
# that carries no Qt, which neither needs.
cp -R "$disc" "$work/broken"
mkdir "$work/broken/1042_CD_Content" "$work/bare" "$work/bare/lib" "$work/bare/plugins" "$work/bare/licenses"
cp "$work/program/"{discmenu,discmenu-window,qt.conf} "$work/bare/"
set +e
DISCMENU_PROGRAM=$work/bare/discmenu DISCMENU_EXE= "$top/scripts/make-disc.sh" "$work/broken" "$work/b.iso" \
  >"$work/refused.txt" 2>&1
status=$?
set -e
[ "$status" = 1 ] && [ ! -e "$work/b.iso" ] || fail "a disc with problems was not refused ($status)"
grep -q 'skipped-folder' "$work/refused.txt" || fail "the refusal does not say why: $(cat "$work/refused.txt")"
DISCMENU_PROGRAM=$work/bare/discmenu DISCMENU_EXE= "$top/scripts/make-disc.sh" "$work/broken" "$work/b.iso" \
  --force >/dev/null 2>&1 && [ -s "$work/b.iso" ] || fail "--force did not master the disc"

# The menu from the disc as burnt.
"$here/run-disc.sh" "$work/x/autorun/discmenu" "$x11close" "$work/x" "$expected" "$shot"
ok=1
echo "ok: make-disc $(basename "$disc")"
