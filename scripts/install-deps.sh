#!/usr/bin/env bash
# Installs, on Debian or Ubuntu, what building, running and testing the menu needs; only
# what is missing, so that a second run costs nothing.
set -euo pipefail
packages=(
  cmake make g++ pkg-config        # the build
  qt6-base-dev libgl-dev           # the Qt 6 Widgets adapter
  libxcb1-dev                      # the end-to-end tests' close-box helper
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation                 # Arial's metric-compatible stand-in
  xvfb xauth xdotool               # a virtual display and clicks for the window tests
  clang-format                     # the format check
  xdg-utils                        # opening documents on the desktop
  python3
  g++-mingw-w64-x86-64-posix wine wine64 # the Windows program, cross-built, tested under Wine
  openbox imagemagick x11-utils          # a window manager and screenshots for the Wine tests
  xorriso                          # disc images (scripts/make-disc.sh)
  qt6-base-dev-tools               # qtpaths6: where the Qt plugins a disc carries are
  fuseiso procps                   # the disc test: its image mounted, its processes found
  dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 # the windows as a screen reader sees them
  python3-jsonschema               # the check's JSON reports against the README's schema
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
