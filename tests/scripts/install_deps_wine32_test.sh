#!/usr/bin/env bash
# install-deps.sh's wine32 path on a machine whose kernel runs 32-bit
# programs, with apt-get and dpkg replaced by stand-ins that record their
# calls: the mirror serves the i386 index broken, so wine32:i386 cannot be
# installed. The i386 architecture that the script added is removed again
# (and nothing else is asked of dpkg); one that was there before is kept.
# The install of the other packages asks for no i386 package, which wine64's
# recommendation of wine32:i386 would otherwise bring in and fail.
# The machine's own package tools are never called.
set -u
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "$PWD/install-deps-work.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root/scripts" "$work/bin"
cp "$source/scripts/install-deps.sh" "$work/root/scripts/"
printf '#!/bin/sh\nexit 0\n' >"$work/root/scripts/kernel-runs-32bit"

stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
# dpkg keeps its foreign architectures in a file and refuses to remove one
# that installed packages use.
stand_in dpkg 'echo "dpkg $*" >>"$STATE/calls"
case "$1" in
  --print-foreign-architectures) cat "$STATE/architectures" ;;
  --add-architecture) echo "$2" >>"$STATE/architectures" ;;
  --remove-architecture)
    if [ -f "$STATE/in-use" ]; then echo "dpkg: error: cannot remove architecture '\''$2'\'' currently in use by the database"; exit 2; fi
    grep -vx "$2" "$STATE/architectures" >"$STATE/kept"; mv "$STATE/kept" "$STATE/architectures" ;;
  *) exit 2 ;;
esac'
# Every package is installed except wine32:i386 and those in $MISSING.
stand_in dpkg-query 'for p in wine32 $MISSING; do case "$*" in *" $p"*) exit 1 ;; esac; done; printf "install ok installed"'
# An install made while i386 is known brings in wine32:i386 as wine64's
# recommendation unless it is held out, and its download fails.
stand_in apt-get 'echo "apt-get $*" >>"$STATE/calls"
case "$*" in
  *update*) if grep -qx i386 "$STATE/architectures"; then
      echo "E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-i386/Packages  Hash Sum mismatch"; exit 100; fi ;;
  *wine32:i386-*) ;;
  *wine32:i386*) echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;;
  *install*) if grep -qx i386 "$STATE/architectures"; then
      echo "E: Failed to fetch http://deb.debian.org/debian/pool/main/w/wine/wine32_8.0~repack-4_i386.deb  404  Not Found"; exit 100; fi ;;
esac'
stand_in id 'echo 0'
stand_in locale 'echo ar_SA.utf8'
stand_in sleep ':'

failures=0
check() {
  if ! eval "$2"; then
    echo "FAILED ($case): $1" >&2
    failures=$((failures + 1))
  fi
}

# run BEFORE [in-use]: the foreign architectures before the run; the script's
# standard error in $work/err.
run() {
  export STATE="$work/state"
  rm -rf "$STATE" && mkdir -p "$STATE"
  printf '%s' "$1" >"$STATE/architectures"
  [ -z "${2:-}" ] || touch "$STATE/in-use"
  PATH="$work/bin:$PATH" TMPDIR="$work" TW_WINE32_FAILED_MARK="$STATE/wine32-failed" \
    bash "$work/root/scripts/install-deps.sh" 2>"$work/err"
  status=$?
  sed "s/^/  $case: /" "$work/err"
}

case="i386 added by the script"
run ""
check "the script succeeds" '[ $status = 0 ]'
check "it tried wine32" 'grep -qx "apt-get install -y -q wine32:i386" "$STATE/calls"'
check "i386 is removed again" '[ ! -s "$STATE/architectures" ]'
check "dpkg is asked to add and remove i386, nothing else" \
  '[ "$(grep "^dpkg --[ar]" "$STATE/calls")" = "dpkg --add-architecture i386
dpkg --remove-architecture i386" ]'
check "the failure is said and remembered" \
  'grep -q "wine32:i386 could not be installed.*: E: " "$work/err" && [ -s "$STATE/wine32-failed" ]'
check "the removal is said" 'grep -q "i386 architecture added for wine32 is removed again" "$work/err"'

case="i386 there before"
run "i386
"
check "the script succeeds" '[ $status = 0 ]'
check "it tried wine32" 'grep -qx "apt-get install -y -q wine32:i386" "$STATE/calls"'
check "i386 is kept" '[ "$(cat "$STATE/architectures")" = i386 ]'
check "dpkg is asked neither to add nor to remove it" '! grep -q "^dpkg --[ar]" "$STATE/calls"'

case="i386 added, in use when it is taken back"
run "" in-use
check "the script succeeds" '[ $status = 0 ]'
check "the refusal is said with dpkg's reason" \
  'grep -q "could not be removed again: dpkg: error: cannot remove architecture" "$work/err"'

# A fresh machine: wine64 and xorriso are missing too.
export MISSING="wine64 xorriso"
case="fresh machine, i386 added by the script"
run ""
check "the script succeeds" '[ $status = 0 ]'
check "the main install asks for no i386 package, before i386 is added" \
  '[ "$(grep -e "^apt-get install" -e "^dpkg --add" "$STATE/calls" | head -n 2)" = "apt-get install -y -q wine64 xorriso
dpkg --add-architecture i386" ]'
check "wine32 is tried on its own" 'grep -qx "apt-get install -y -q wine32:i386" "$STATE/calls"'

case="fresh machine, i386 there before"
run "i386
"
check "the script succeeds" '[ $status = 0 ]'
check "the main install holds wine32:i386 out" \
  'grep -qx "apt-get install -y -q wine64 xorriso wine32:i386-" "$STATE/calls"'

[ $failures = 0 ] && echo "install-deps wine32 path: all cases passed"
exit $((failures > 0))
