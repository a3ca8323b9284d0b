#!/usr/bin/env bash
# kernel-runs-32bit answers 0 or 1, and gives a reason with 1. A TMPDIR
# mounted noexec changes neither the answer nor the reason (the probe runs
# in another folder); where no folder lets a program run, the reason says
# so instead of blaming the kernel, and wine-sets' skip line passes it on.
# The noexec cases run in a mount namespace of their own (unshare), so no
# mount outlives the test; where none can be made they are skipped (77).
set -u
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "$PWD/kernel-probe-work.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root/scripts" "$work/noexec"
cp "$source/scripts/kernel-runs-32bit" "$source/scripts/wine-sets" "$work/root/scripts/"
probe="$work/root/scripts/kernel-runs-32bit"

bash "$probe" 2>"$work/reason"
answer=$?
reason=$(cat "$work/reason")
echo "answer $answer${reason:+: $reason}"
case "$answer" in
  0) [ -z "$reason" ] || { echo "FAILED: a reason with answer 0" >&2; exit 1; } ;;
  1) [ -n "$reason" ] || { echo "FAILED: no reason with answer 1" >&2; exit 1; } ;;
  *) echo "FAILED: exit code $answer, not 0 or 1" >&2; exit 1 ;;
esac

namespace=(unshare --mount)
[ "$(id -u)" = 0 ] || namespace=(unshare --map-root-user --mount)
if ! "${namespace[@]}" mount -t tmpfs -o noexec tmpfs "$work/noexec" 2>/dev/null; then
  echo "skipped: no mount namespace here for a noexec TMPDIR"
  exit 77
fi
export work probe answer reason
"${namespace[@]}" bash -c '
  failures=0
  fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
  mount -t tmpfs -o noexec tmpfs "$work/noexec"
  export TMPDIR="$work/noexec"
  noexec_reason=$(bash "$probe" 2>&1)
  noexec_answer=$?
  echo "TMPDIR noexec: answer $noexec_answer${noexec_reason:+: $noexec_reason}"
  [ "$noexec_answer" = "$answer" ] && [ "$noexec_reason" = "$reason" ] ||
    fail "a noexec TMPDIR changed the answer"
  # /tmp made noexec in place (its files stay in sight: the work folder may
  # lie under it), and the build folder.
  mount --rbind /tmp /tmp && mount -o remount,bind,noexec /tmp || fail "/tmp not made noexec"
  mkdir -p "$work/root/build"
  mount -t tmpfs -o noexec tmpfs "$work/root/build"
  none_reason=$(bash "$probe" 2>&1)
  none_answer=$?
  echo "no folder runs programs: answer $none_answer: $none_reason"
  [ "$none_answer" = 1 ] || fail "answer $none_answer where no program can run"
  case "$none_reason" in
    *"cannot execute 32-bit"*) fail "the kernel is blamed for a noexec folder" ;;
    *noexec*) ;;
    *) fail "the reason does not name noexec" ;;
  esac
  sets=$(bash "$work/root/scripts/wine-sets" 2>"$work/noexec/skip")
  skip=$(cat "$work/noexec/skip")
  echo "wine-sets: $skip"
  [ "$sets" = win64 ] || fail "wine-sets chose: $sets"
  [ "$skip" = "win32 Wine tests skipped: $none_reason" ] || fail "the skip line does not pass the reason on"
  exit $((failures > 0))
'
