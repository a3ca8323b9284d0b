#!/usr/bin/env bash
# Builds everything and starts Tarnwick under Wine (inside Xvfb when there is
# no display).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
exe="$root/build/win32/Tarnwick.exe"
prefix="$root/build/win32/wineprefix"
"$root/scripts/wine-run" "$prefix" --init
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run" "$prefix" "$exe" "$@"
fi
exec "$root/scripts/wine-run" "$prefix" "$exe" "$@"
