#!/usr/bin/env bash
# Checks that the Windows program stands alone: it imports only DLLs that every Windows
# 7 to 11 has (no C++ runtime, no MinGW or Qt DLL beside it), at start or later, and it is
# at most 1 MB.
#   tests/win32/check-exe.sh discmenu.exe
set -euo pipefail
exe=$1
system='^(kernel32|user32|gdi32|shell32|shlwapi|comctl32|ole32|oleaut32|oleacc|windowscodecs|uxtheme|advapi32|msvcrt|comdlg32)\.dll$'
status=0
while read -r dll; do
  if ! printf '%s\n' "${dll,,}" | grep -Eq "$system"; then
    echo "imports a DLL that Windows does not have by itself: $dll"
    status=1
  fi
done < <(
  # The import table, and every DLL the program names: delayed imports (the common
  # controls) and libraries it loads when it first needs them (shell, COM, accessibility).
  x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p'
  { strings -a "$exe"; strings -a -el "$exe"; } | grep -i -o -E '[a-z0-9_.+-]+\.dll\b' || true
)
size=$(stat -c %s "$exe")
if [ "$size" -gt 1048576 ]; then
  echo "$exe is $size bytes, more than 1 MB"
  status=1
fi
[ $status = 0 ] && echo "ok: $(basename "$exe"), $size bytes, system DLLs only"
exit $status
