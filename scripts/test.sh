#!/usr/bin/env bash
# Builds everything and runs every test in one ctest run: the native tests
# and the Wine tests of each Windows tree this machine can run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build"
sets=$(bash "$root/scripts/wine-sets")
echo "test.sh: Wine test sets run: $(echo $sets)"
# A run with no native tests, or a chosen Wine set without tests, is broken,
# not green.
count() { ctest -N | grep -c "Test *#[0-9]*: $1\." || true; }
for set in native $sets; do
  if [ "$(count "$set")" -eq 0 ]; then
    echo "test.sh: the $set test set is empty" >&2
    exit 1
  fi
done
# Tests of the trees not chosen are left out by name.
skip=()
for tree in win32 win64; do
  case " $(echo $sets) " in *" $tree "*) ;; *) skip+=("$tree") ;; esac
done
run=(ctest --output-on-failure --no-tests=error -j "$(nproc)")
if [ ${#skip[@]} -gt 0 ]; then
  run+=(-E "^($(IFS='|'; echo "${skip[*]}"))\\.")
fi
run+=("$@")
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
  "${run[@]}"
fi
# The checks of a skipped tree that need no Wine (its programs' format and
# exports) still run.
if [ ${#skip[@]} -gt 0 ] && [ $# -eq 0 ]; then
  ctest --output-on-failure -L no_wine -R "^($(IFS='|'; echo "${skip[*]}"))\."
fi
