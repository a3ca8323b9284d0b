#!/usr/bin/env bash
# floppy_read_wine.sh WINE_RUN ARCH BASE_PREFIX IMAGE_TOOLS_EXE WORK_DIR
# Reads floppy disks end to end under Wine without hardware: a copy of the
# tree's Wine prefix gets drive A: mapped to a disk image file
# (dosdevices/a:: a link to the image, dosdevices/a: a folder, and
# HKLM\Software\Wine\Drives a: = floppy), so that GetDriveTypeA calls it
# removable and "\\.\A:" reads the image's sectors. The copy keeps the
# mapping away from the other Wine tests. Checks: A: is listed; 1.44 MB and
# 2.88 MB disks made by mkfs.fat are copied byte for byte; Stop in the
# middle leaves no file; an existing output is kept when the answer is No; a
# disk of 32 MB is refused with the reason.
set -u
wine_run=$1 arch=$2 base=$3 exe=$4 work=$5
for tool in mkfs.fat mcopy cmp; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=/usr/lib/wine/wineserver
prefix=$work/prefix
cleanup() {
  [ -d "$prefix" ] && WINEPREFIX=$prefix "$server" -w 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/a_folder" "$work/out"
bash "$(dirname "$0")/../copy_prefix.sh" "$base" "$prefix" || exit 1
ln -s "$work/a_folder" "$prefix/dosdevices/a:"
run() { "$wine_run" "$arch" "$prefix" "$@"; }
winpath() { echo "Z:${1//\//\\}"; }
run reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >/dev/null || { echo "reg add failed" >&2; exit 1; }

failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}

# A disk of the given size in KB with a file of random bytes on it.
make_disk() {
  rm -f "$work/$1.img"
  mkfs.fat -C "$work/$1.img" "$1" >/dev/null || exit 1
  head -c $(($1 * 1024 * 3 / 4)) /dev/urandom >"$work/random.bin"
  MTOOLS_SKIP_CHECK=1 mcopy -i "$work/$1.img" "$work/random.bin" ::RANDOM.BIN || exit 1
  ln -sfn "$work/$1.img" "$prefix/dosdevices/a::"
}

make_disk 1440
drives=$(run "$exe" list-drives | tr -d '\r')
check "A: is listed as a removable drive" '[ "$drives" = "A:" ]'
run "$exe" read-floppy --drive=A: "--output=$(winpath "$work/out/out.img")"
check "1.44 MB disk read (exit $?)" 'cmp "$work/out/out.img" "$work/1440.img"'

make_disk 2880
run "$exe" read-floppy --drive=A: "--output=$(winpath "$work/out/out.img")" --overwrite
check "2.88 MB disk read over the earlier image (exit $?)" 'cmp "$work/out/out.img" "$work/2880.img"'

run "$exe" read-floppy --drive=A: "--output=$(winpath "$work/out/stop.img")" --stop-after=40
rc=$?
check "Stop after 40 cylinders ends the read (exit $rc)" '[ $rc = 3 ]'
left=$(ls "$work/out" | tr '\n' ' ')
check "Stop leaves no file behind (found: $left)" '[ "$left" = "out.img " ]'

make_disk 1440
run "$exe" read-floppy --drive=A: "--output=$(winpath "$work/out/out.img")"
check "No to the overwrite question keeps the earlier image" 'cmp -s "$work/out/out.img" "$work/2880.img"'

rm -f "$work/big.img"
mkfs.fat -C "$work/big.img" 32768 >/dev/null || exit 1
ln -sfn "$work/big.img" "$prefix/dosdevices/a::"
said=$(run "$exe" read-floppy --drive=A: "--output=$(winpath "$work/out/big.img")" 2>&1 >/dev/null | tr -d '\r')
check "A 32 MB disk is refused" '[ ! -e "$work/out/big.img" ]'
check "The refusal says why: $said" '[[ "$said" == *"too large"*"32 MB"* ]]'

[ $failures = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "floppy reads under Wine: all checks passed"
