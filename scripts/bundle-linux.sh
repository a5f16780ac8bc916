#!/usr/bin/env bash
# Writes the Linux program's folder, as a disc's autorun folder carries it, from a build:
# discmenu and discmenu-window, qt.conf, lib/ (the libraries under their sonames, plain
# files), plugins/ and licenses/ (the Debian copyright file of every package a carried file
# comes from, the licence texts they name, and the notice for Qt), all stripped. The window
# program finds lib/ through its RPATH ($ORIGIN/lib) and the plugins through qt.conf:
# nothing is set in the environment that the programs it starts would inherit.
# scripts/disc/linux-bundle.list names what is carried and what is the host's; the build and
# the list must agree, or no folder is written.
#   scripts/bundle-linux.sh BUILD-FOLDER OUT-FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: scripts/bundle-linux.sh BUILD-FOLDER OUT-FOLDER" >&2; exit 2; }
build=$1 out=$2
fail() { echo "bundle-linux.sh: $*" >&2; exit 1; }
for p in discmenu discmenu-window; do [ -x "$build/$p" ] || fail "no $build/$p"; done
readelf -d "$build/discmenu-window" | grep '(RPATH).*\[\$ORIGIN/lib\]' >/dev/null ||
  fail "$build/discmenu-window has no RPATH \$ORIGIN/lib (src/platform/qt/CMakeLists.txt sets it)"
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)

libs=() plugs=() hosts=()
while read -r kind name _; do
  case $kind in
  lib) libs+=("$name") ;;
  plugin) plugs+=("$name") ;;
  host) hosts+=("$name") ;;
  esac
done < <(grep -v '^#' "$here/disc/linux-bundle.list")

# Where this machine finds each library the programs and plugins load ("soname path").
elves=("$build/discmenu" "$build/discmenu-window")
for p in "${plugs[@]}"; do elves+=("$plugins/$p"); done
found=$(mktemp)
trap 'rm -f "$found"' EXIT
ldd "${elves[@]}" 2>&1 | awk '$2 == "=>" { if ($3 == "not") { print "missing " $1 } else print $1, $3 }' |
  sort -u >"$found"
if grep -q '^missing' "$found"; then
  grep '^missing' "$found" >&2
  fail "this machine lacks the libraries above"
fi
path_of() { awk -v n="$1" '$1 == n { print $2; exit }' "$found"; }

# The host's libraries bring their own: those are never carried either.
host_paths=()
for h in "${hosts[@]}"; do
  p=$(path_of "$h")
  if [ -n "$p" ]; then host_paths+=("$p"); fi
done
hostside=$( { printf '%s\n' "${hosts[@]}"; ldd "${host_paths[@]}" | awk '$2 == "=>" { print $1 }'; } | sort -u)
wanted=$(cut -d' ' -f1 "$found" | grep -vxF -f <(echo "$hostside") | sort)
listed=$(printf '%s\n' "${libs[@]}" | sort)
if [ "$wanted" != "$listed" ]; then
  comm -23 <(echo "$wanted") <(echo "$listed") | sed 's/^/needed but not in the list: /' >&2
  comm -13 <(echo "$wanted") <(echo "$listed") | sed 's/^/in the list but needed by nothing: /' >&2
  fail "scripts/disc/linux-bundle.list does not match the build"
fi

rm -rf "$out"
mkdir -p "$out/lib" "$out/plugins" "$out/licenses"
cp "$build/discmenu" "$build/discmenu-window" "$out/"
origins=()
for l in "${libs[@]}"; do
  origins+=("$(readlink -f "$(path_of "$l")")")
  cp -L "$(path_of "$l")" "$out/lib/$l"
done
for p in "${plugs[@]}"; do
  origins+=("$plugins/$p")
  mkdir -p "$out/plugins/$(dirname "$p")"
  cp -L "$plugins/$p" "$out/plugins/$p"
done
# What the carried files need of one another must be carried, and the host's must be named.
for f in "$out"/discmenu* "$out"/lib/* "$out"/plugins/*/*; do
  for n in $(readelf -d "$f" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    [ -e "$out/lib/$n" ] || [[ " ${hosts[*]} " == *" $n "* ]] ||
      fail "$(basename "$f") needs $n, which is neither carried nor named as the host's"
  done
done
strip --strip-unneeded "$out"/discmenu* "$out"/lib/* "$out"/plugins/*/*
printf '%s\n' '[Paths]' 'Prefix = .' 'Plugins = plugins' >"$out/qt.conf"

# Licences: the copyright file of each package a carried file comes from, the licence texts
# they name (the Qt notice names the LGPL and the GPL it builds on), and the Qt notice.
# (dpkg may know a file under /lib rather than /usr/lib; one call asks for both.)
owners=$(dpkg -S "${origins[@]}" "${origins[@]/#\/usr\/lib\//\/lib\/}" 2>/dev/null || true)
for f in "${origins[@]}"; do
  grep -qE ": (/usr)?/lib/${f#/usr/lib/}\$" <<<"$owners" || fail "no package owns $f"
done
packages=$(cut -d: -f1 <<<"$owners" | sort -u)
for p in $packages; do
  cp -L "/usr/share/doc/$p/copyright" "$out/licenses/$p.copyright"
done
for l in $( (grep -oh '/usr/share/common-licenses/[A-Za-z0-9.+_-]*[A-Za-z0-9]' "$out"/licenses/*.copyright
  echo /usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3) | sort -u); do
  if [ -f "$l" ]; then cp -L "$l" "$out/licenses/$(basename "$l").txt"; fi
done
qt=$(dpkg-query -W -f='${source:Package} ${source:Version}' libqt6core6)
sed "s/@QT@/$qt/" "$here/disc/qt-notice.txt" >"$out/licenses/Qt-NOTICE.txt"
