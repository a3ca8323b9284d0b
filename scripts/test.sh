#!/usr/bin/env bash
# Builds everything and runs every test, native and under Wine, in one ctest run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build"
# A run with no Wine tests or no native tests is broken, not green.
count() { ctest -N | grep -c "Test *#[0-9]*: $1\." || true; }
if [ "$(count native)" -eq 0 ] || [ "$(count win32)" -eq 0 ]; then
  echo "test.sh: the native or the Wine test set is empty" >&2
  exit 1
fi
run=(ctest --output-on-failure --no-tests=error -j "$(nproc)" "$@")
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
  "${run[@]}"
fi
