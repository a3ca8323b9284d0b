#!/usr/bin/env bash
# check_pack_exports.sh OBJDUMP PACK.dll
# A pack exports its five functions by plain name with ordinals 1 to 5 in
# this order, and needs no DLL besides the system's own.
set -eu
objdump=$1 pack=$2
dump=$("$objdump" -p "$pack")
status=0

# "[Ordinal/Name Pointer] Table" lines: "[   0] GetLangName" (index = ordinal - 1).
names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[\s*[0-9]+\]\s+\S+\s*$' | sed -E 's/^\s*\[\s*([0-9]+)\]\s+(\S+).*/\1 \2/' | sort -n)
expected=$'0 GetLangName\n1 GetLangID\n2 GetFontName\n3 GetFontSize\n4 GetLangStr'
if [ "$names" != "$expected" ]; then
  echo "exports differ:"; printf '%s\n' "$names"; status=1
fi
base=$(printf '%s\n' "$dump" | sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\).*/\1/p')
if [ "$base" != "1" ]; then echo "ordinal base is '$base', not 1"; status=1; fi

dlls=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll) ;;
    *) echo "imports $dll"; status=1 ;;
  esac
done
[ $status = 0 ] && echo "exports and imports as expected"
exit $status
