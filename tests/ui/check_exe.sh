#!/usr/bin/env bash
# check_exe.sh OBJDUMP TREE PROGRAM.exe
# The program is a GUI program of its tree's architecture (win32: the
# 32-bit i386 PE that ships; win64: x86-64) and imports system DLLs only.
set -eu
objdump=$1 tree=$2 exe=$3
status=0
case "$tree" in
  win32) format=pei-i386 ;;
  win64) format=pei-x86-64 ;;
  *) echo "unknown tree $tree"; exit 2 ;;
esac
header=$("$objdump" -f "$exe")
if ! printf '%s\n' "$header" | grep -q "file format $format"; then
  echo "not $format:"; printf '%s\n' "$header"; status=1
fi
dump=$("$objdump" -p "$exe")
if ! printf '%s\n' "$dump" | grep -qE '^Subsystem\s+0+2\s'; then
  echo "not a GUI program:"; printf '%s\n' "$dump" | grep '^Subsystem' || true; status=1
fi
for dll in $(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u); do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|comctl32.dll|comdlg32.dll|shell32.dll|version.dll|msvcrt.dll|ole32.dll) ;;
    *) echo "imports $dll"; status=1 ;;
  esac
done
[ $status = 0 ] && echo "$exe: $format GUI program importing system DLLs only"
exit $status
