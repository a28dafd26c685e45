#!/usr/bin/env bash
# Checks that each given Windows binary imports only DLLs that every Windows has,
# so the zip needs no other file.
set -euo pipefail
system='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|version'
system+='|msvcrt)\.dll$'
status=0
for binary in "$@"; do
  imports="$(i686-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/{print $3}')"
  if [ -z "$imports" ]; then
    echo "$binary: no import table found" >&2
    status=1
  fi
  others="$(grep -viE "$system" <<<"$imports" || true)"
  if [ -n "$others" ]; then
    echo "$binary imports DLLs a plain Windows does not have:" $others >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "imports: only system DLLs in $# binaries"
exit $status
