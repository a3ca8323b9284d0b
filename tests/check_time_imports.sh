#!/usr/bin/env bash
# check_time_imports.sh OBJDUMP TREE_DIR
# No program or library of a 32-bit tree imports msvcrt's functions that
# keep time in 32 bits (their plain names are the 32-bit ones there), which
# would store dates after 2038 and before 1970 wrongly. Needs no Wine.
set -eu
objdump=$1 tree=$2
thirty_two='time localtime gmtime mktime ctime difftime _ftime _utime _futime _wutime _stat _fstat _wstat
  _stati64 _fstati64 _wstati64 _findfirst _findnext _wfindfirst _wfindnext _findfirsti64 _findnexti64
  _time32 _localtime32 _gmtime32 _mktime32 _ctime32 _difftime32 _ftime32 _utime32 _futime32 _wutime32
  _stat32 _fstat32 _wstat32 _stat32i64 _fstat32i64 _findfirst32 _findnext32 _findfirst32i64 _findnext32i64
  _localtime32_s _gmtime32_s _ctime32_s _mkgmtime _mkgmtime32'
status=0 count=0
while IFS= read -r -d '' file; do
  count=$((count + 1))
  imports=$("$objdump" -p "$file" | awk '
    /^[ \t]*DLL Name:/ { dll = tolower($3); next }
    dll == "msvcrt.dll" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }
    ')
  bad=$(for name in $thirty_two; do printf '%s\n' "$imports" | grep -qx "$name" && printf '%s ' "$name"; done; true)
  if [ -n "$bad" ]; then
    echo "${file#"$tree"/} imports msvcrt's 32-bit time functions: $bad"
    status=1
  fi
done < <(find "$tree" -path "$tree/*prefix*" -prune -o -type f \( -name '*.exe' -o -name '*.dll' \) -print0)
[ $count -gt 0 ] || { echo "no programs in $tree"; exit 1; }
[ $status = 0 ] && echo "$count programs of $tree import no 32-bit time functions"
exit $status
