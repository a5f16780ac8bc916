#!/usr/bin/env bash
# The sample service disc mastered with scripts/make-disc.sh from this build, and every
# check made on the image and on the disc as burnt:
#   - the source folder is unchanged; the image holds the disc's tree plus the programs and
#     autorun files, alike under Rock Ridge and Joliet, with the volume label asked for;
#     mounted, the tree is the source tree, the header (its date the version folder's time
#     stamp) the same, the programs executable, autorun.inf as Windows wants it;
#   - a disc with a problem is refused, and mastered only when forced;
#   - its autorun folder holds what scripts/disc/linux-bundle.list names, stripped plain
#     files under their sonames, and the window program's library path is an RPATH;
#   - no file needs a newer C library or C++ runtime than the floor;
#   - autorun.sh refuses an older C library, and says why when the menu cannot start.
# Then, as root, in a mount namespace whose system library folder holds only the host's
# libraries (and what they need):
#   - every file resolves;
#   - autorun.sh on the image shows the main window through X11 with Wayland asked for; the
#     process maps no library but the disc's and the host's; what the menu opens inherits
#     no LD_ or QT_ variable but the desktop's own;
#   - without an X display the program says so itself;
#   - the walks of the three sample discs pass (the service disc's on the disc as burnt),
#     and the build's own window program, without what the disc carries, does not start
#     (the control).
#   disc-image-test.sh PROGRAM X11CLOSE SHOTS-FOLDER
# Exit status 77: skipped, with the reason.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
program=$1 x11close=$2 shots=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
e2e=$top/tests/e2e list=$top/scripts/disc/linux-bundle.list
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }
if ldd "$(dirname "$program")/discmenu-window" | grep libasan >/dev/null; then
  skip "a sanitizer build needs the machine's sanitizer runtime; the debug build carries the test"
fi
# The desktop's own variables only: those the test sets below.
unset $(compgen -e | grep -E '^(LD_|QT_)') WAYLAND_DISPLAY

work=$(mktemp -d)
mnt=$work/mnt unmount=: pid=""
trap 'kill $pid 2>/dev/null || true; $unmount "$mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
disc=$top/samples/service-disc
state() { (cd "$1" && find . -mindepth 1 -printf '%P\t%y\t%s\t%T@\t%m\n' | LC_ALL=C sort); }
state "$disc" >"$work/before"
# A stand-in for the Windows build, so that autorun.inf is written too.
printf 'MZ stand-in' >"$work/discmenu.exe"
DISCMENU_PROGRAM=$program DISCMENU_EXE=$work/discmenu.exe DISCMENU_LABEL="Service disc 1001" \
  "$top/scripts/make-disc.sh" "$disc" "$work/disc.iso" >"$work/make.txt" 2>&1 || { cat "$work/make.txt"; fail "make-disc.sh"; }
state "$disc" | diff "$work/before" - || fail "the source folder changed"

# The image: the tree and what mastering adds, alike under both name extensions.
{
  (cd "$disc" && find . -mindepth 1 -printf '%P\n')
  printf '%s\n' autorun autorun/discmenu autorun/discmenu-window autorun/discmenu.exe autorun.inf \
    autorun.sh autorun/qt.conf autorun/lib autorun/plugins autorun/licenses
} | LC_ALL=C sort -u >"$work/want"
listing() { # xorriso options before -indev choose the tree that is read
  xorriso "$@" -indev "$work/disc.iso" -find / 2>/dev/null | sed -e "s/^'//" -e "s/'\$//" \
    -e 's|^/||' | grep -v '^$' | LC_ALL=C sort
}
listing >"$work/rockridge"
grep -vE '^autorun/(lib|plugins|licenses)/' "$work/rockridge" | diff "$work/want" - ||
  fail "the Rock Ridge tree differs from the disc"
listing -rockridge off | diff "$work/rockridge" - || fail "the Joliet tree differs from the Rock Ridge tree"
xorriso -indev "$work/disc.iso" -pvd_info 2>&1 | grep -q "^Volume [Ii]d *: *'*SERVICE_DISC_1001" ||
  fail "the volume label is not SERVICE_DISC_1001"

mkdir "$mnt"
if grep -qw iso9660 /proc/filesystems && mount -o loop,ro "$work/disc.iso" "$mnt" 2>/dev/null; then
  unmount=umount
elif command -v fuseiso >/dev/null && fuseiso "$work/disc.iso" "$mnt"; then
  unmount="fusermount -u"
else
  skip "the image cannot be mounted here (no iso9660 in the kernel, no FUSE)"
fi
b=$mnt/autorun

# The disc as burnt.
diff -r -x autorun.sh -x autorun.inf -x autorun "$disc" "$mnt" || fail "the disc's tree differs from the source"
[ -x "$b/discmenu" ] && [ -x "$b/discmenu-window" ] && [ -x "$mnt/autorun.sh" ] || fail "a program lost its x bit"
printf '%s\r\n' "[autorun]" 'open=autorun\discmenu.exe' 'icon=autorun\discmenu.exe,0' \
  "label=Service disc 1001" "action=Open the Tidewell disc menu" | cmp -s - "$mnt/autorun.inf" ||
  fail "autorun.inf is not as Windows wants it: $(cat -A "$mnt/autorun.inf")"
header() { "$program" --check "$1" | grep '^Header' || true; }
[ "$(header "$disc")" = "$(header "$mnt")" ] || fail "the header differs: $(header "$disc") / $(header "$mnt")"

# A disc with a problem is refused, and mastered only when forced; with a program folder
# that carries no Qt, which neither needs.
cp -R "$disc" "$work/broken"
mkdir "$work/broken/1042_CD_Content" "$work/bare" "$work/bare/lib" "$work/bare/plugins" "$work/bare/licenses"
cp "$b/"{discmenu,discmenu-window,qt.conf} "$work/bare/"
status=0
DISCMENU_PROGRAM=$work/bare/discmenu DISCMENU_EXE= "$top/scripts/make-disc.sh" "$work/broken" "$work/b.iso" \
  >"$work/refused.txt" 2>&1 || status=$?
[ "$status" = 1 ] && [ ! -e "$work/b.iso" ] && grep -q 'skipped-folder' "$work/refused.txt" ||
  fail "a disc with problems was not refused, with the reason ($status): $(cat "$work/refused.txt")"
DISCMENU_PROGRAM=$work/bare/discmenu DISCMENU_EXE= "$top/scripts/make-disc.sh" "$work/broken" "$work/b.iso" \
  --force >/dev/null 2>&1 && [ -s "$work/b.iso" ] || fail "--force did not master the disc"

# The layout: the list, no more and no less; no links; each library under its soname.
elves=$(cd "$b" && echo discmenu discmenu-window lib/* plugins/*/*)
[ "$(cd "$b" && find lib plugins -type f | sort)" = "$(awk '$1 == "lib" { print "lib/" $2 }
  $1 == "plugin" { print "plugins/" $2 }' "$list" | sort)" ] || fail "lib/ and plugins/ differ from the list"
[ -z "$(find "$b" -type l)" ] || fail "links on the disc: $(find "$b" -type l)"
[ "$(cat "$b/qt.conf")" = $'[Paths]\nPrefix = .\nPlugins = plugins' ] || fail "qt.conf: $(cat "$b/qt.conf")"
[ -s "$b/licenses/Qt-NOTICE.txt" ] && [ -s "$b/licenses/LGPL-3.txt" ] || fail "no Qt licence notice"
[ "$(readelf -d "$b/discmenu-window" | grep -E 'R(UN)?PATH' | sed 's/.*(\(.*\)).*\[\(.*\)\]/\1 \2/')" = 'RPATH $ORIGIN/lib' ] ||
  fail "the window program's library path is not the RPATH \$ORIGIN/lib"
# The floor: Ubuntu 22.04, Debian 12, Fedora 36. Symbol versions, not the machine's glibc.
floor() { case $1 in GLIBC_*) echo GLIBC_2.35 ;; GLIBCXX_*) echo GLIBCXX_3.4.30 ;; CXXABI_*) echo CXXABI_1.3.13 ;; esac; }
for f in $elves; do
  [ "$(readelf -d "$b/$f" | grep -c RUNPATH)" = 0 ] || fail "$f has a RUNPATH: it would pass over lib/"
  ! readelf -S "$b/$f" | grep "\.symtab" >/dev/null || fail "$f is not stripped"
  [ "$f" = "${f#lib/}" ] || [ "$(readelf -d "$b/$f" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')" = "${f#lib/}" ] ||
    fail "$f is not named by its soname"
  for v in $(readelf -V -W "$b/$f" | sed -n '/Version needs/,$ s/.*Name: \([A-Z]*_[^ ]*\).*/\1/p' | sort -u); do
    m=$(floor "$v")
    [ -z "$m" ] || [ "$(printf '%s\n' "$v" "$m" | sort -V | tail -n 1)" = "$m" ] || fail "$f needs $v (floor $m)"
  done
done

# autorun.sh, with stand-ins for getconf and the message window:
# getconf's answer | DISPLAY | the message
mkdir "$work/fake"
printf '#!/bin/sh\n[ -n "$LIBC" ] && echo "$LIBC"\n' >"$work/fake/getconf"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$work/shown" >"$work/fake/zenity"
chmod +x "$work"/fake/*
while IFS='|' read -r libc display says; do
  rm -f "$work/shown"
  status=0
  LIBC=$libc DISPLAY=$display PATH="$work/fake:$PATH" "$mnt/autorun.sh" </dev/null 2>"$work/err" || status=$?
  [ "$status" != 0 ] && grep -q "$says" "$work/err" && grep -q "opened by hand from its folders: $mnt" "$work/err" ||
    fail "autorun.sh with '$libc': status $status, $(cat "$work/err")"
  [ -z "$display" ] || grep -q "$says" "$work/shown" || fail "autorun.sh with '$libc' showed no window"
done <<'ROWS'
glibc 2.34|:7|needs Linux with the GNU C library 2.35 or later
glibc 2.4|:7|needs Linux with the GNU C library 2.35
|:7|this machine has another C library
glibc 2.35||needs an X display
glibc 3.0||needs an X display
ROWS
# (2.4 is older than 2.35 though it sorts after it as text; no answer is a C library other
# than glibc; the last two start the menu, which gives its own reason: no display.)

[ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null || skip "the host-only checks need root and unshare -m"
# The namespace: the system library folder holds the host list's libraries and theirs.
libdir=$(dirname "$(readlink -f /lib64/ld-linux-x86-64.so.2)")
mkdir "$work/host"
ldconfig -p >"$work/ldconfig.txt"
for h in $(awk '$1 == "host" { print $2 }' "$list"); do
  awk -v n="$h" '$1 == n && /x86-64/ { print $NF; exit }' "$work/ldconfig.txt"
done >"$work/host.txt"
[ "$(wc -l <"$work/host.txt")" = "$(grep -c '^host ' "$list")" ] || fail "this machine lacks a host library"
{ cat "$work/host.txt"; xargs ldd <"$work/host.txt" 2>/dev/null | awk '$2 == "=>" { print $3 }'; } | sort -u |
  while read -r p; do cp -L "$p" "$work/host/"; done
printf '#!/bin/sh\nexec unshare -m sh -c %s "%s" "%s" "$@"\n' \
  "'mount --bind \"\$0\" \"\$1\" && shift && exec \"\$@\"'" "$work/host" "$libdir" >"$work/in-host"
chmod +x "$work/in-host"

(cd "$b" && "$work/in-host" sh -c 'for f; do echo "== $f"; /lib64/ld-linux-x86-64.so.2 --library-path lib --list "./$f" 2>&1; done' \
  - $elves) >"$work/resolved.txt" || true
[ "$(grep -c '^== ' "$work/resolved.txt")" = "$(echo $elves | wc -w)" ] &&
  grep -q "libQt6Core.so.6 => lib/libQt6Core.so.6" "$work/resolved.txt" &&
  ! grep -E 'not found|error while|cannot open' "$work/resolved.txt" || fail "not every file resolves: $(cat "$work/resolved.txt")"

# autorun.sh from the image, with a Wayland desktop's variables and no Wayland server.
wine=0 helper=$x11close
. "$e2e/walk.sh"
trace=$work/trace
mkdir "$work/bin" "$work/home"
printf '#!/bin/sh\nexport -p >"%s"\n' "$work/opened" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" HOME=$work/home QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-made-up \
  DISCMENU_TRACE=$trace "$work/in-host" "$mnt/autorun.sh" 2>"$work/err" &
pid=$!
# (Thirty seconds: a first start from the image, decompressed by fuseiso, on a busy machine.)
for _ in $(seq 300); do grep -qx $'show\tformMain' "$trace" 2>/dev/null && break; sleep 0.1; done
grep -qx $'show\tformMain' "$trace" 2>/dev/null || fail "no main window: $(cat "$work/err")"
title=$(grep $'^caption\tformMain\t' "$trace" | tail -n 1 | cut -f3)
main_wid=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
[ -n "$main_wid" ] || fail "the main window '$title' is not on the display"
winpid=$(pgrep -P "$pid")
[ "$(readlink "/proc/$winpid/exe")" = "$b/discmenu-window" ] || fail "not the disc's window program"
awk '$6 ~ /\.so/ { print $6 }' "/proc/$winpid/maps" | sort -u >"$work/maps"
for lib in "$b/lib/libQt6Widgets.so.6" "$b/plugins/platforms/libqxcb.so"; do
  grep -qx "$lib" "$work/maps" || fail "$lib is not loaded: $(cat "$work/maps")"
done
while read -r f; do
  [ "${f#"$b"/}" != "$f" ] || { [ "$(dirname "$f")" = "$libdir" ] && [ -e "$work/host/$(basename "$f")" ]; } ||
    fail "$f is neither the disc's nor the host's"
done <"$work/maps"
wid=$main_wid
click_at 120 "$(row_y 0)"
wait_for test -s "$work/opened" || fail "the service report was not opened"
[ "$(grep -E '^export (LD_|QT_)' "$work/opened")" = "export QT_QPA_PLATFORM='wayland'" ] ||
  fail "what the menu opens inherits: $(grep -E '^export (LD_|QT_)' "$work/opened")"
close_window "$title" formMain || fail "the main window did not close"
wait "$pid" || fail "autorun.sh ended with status $?: $(cat "$work/err")"
pid=""

status=0
env -u DISPLAY "$work/in-host" "$b/discmenu" 2>"$work/err" || status=$?
[ "$status" = 1 ] && grep -q "needs an X display" "$work/err" && [ "$(wc -l <"$work/err")" = 1 ] ||
  fail "without a display: status $status, $(cat "$work/err")"

for walk in service-disc software-job-disc generic-disc; do
  from=$top/samples/$walk
  [ "$walk" != service-disc ] || from=$mnt
  DISCMENU_LAUNCH=$work/in-host "$e2e/run-disc.sh" "$b/discmenu" "$x11close" "$from" \
    "$e2e/$walk.trace" "$shots/bundle-$walk.png" "$e2e/$walk.walk" || fail "the walk of $walk"
done
status=0
"$work/in-host" "$(dirname "$program")/discmenu-window" 2>"$work/err" || status=$?
[ "$status" = 127 ] && grep -q 'libQt6Widgets.so.6: cannot open' "$work/err" ||
  fail "the control: the build's own window program started without the disc's Qt ($status)"
echo "ok: the disc image"
