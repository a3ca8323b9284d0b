#!/usr/bin/env bash
# Builds everything and starts Tarnwick under Wine (inside Xvfb when there is
# no display): the shipped 32-bit program where this machine can run it,
# else the 64-bit build of the same sources.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
tree=$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)
echo "run.sh: starting the $([ "$tree" = win32 ] && echo 32-bit || echo 64-bit) program, build/$tree/Tarnwick.exe"
exe="$root/build/$tree/Tarnwick.exe"
prefix="$root/build/$tree/wineprefix"
"$root/scripts/wine-run" "$tree" "$prefix" --init
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run" "$tree" "$prefix" "$exe" "$@"
fi
exec "$root/scripts/wine-run" "$tree" "$prefix" "$exe" "$@"
