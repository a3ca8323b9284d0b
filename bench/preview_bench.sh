#!/usr/bin/env bash
# Speed of the preview under Wine: full repaint of a full menu at
# 1024 x 768 (median of 50 paints) and one move step of the selection
# frame, in a real window on an X server (Xvfb when none is set).
#
#   bash bench/preview_bench.sh [--tree win64|win32] [--paints N]
#
# Builds bench/preview_bench.cpp in build/<tree> (configured by
# scripts/build.sh) and runs it with scripts/wine-run in that tree's
# prefix. Targets are printed next to the figures; the script fails only
# when the build or the run fails.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
tree=win64
paints=50
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --paints) paints=$2; shift 2 ;;
    *) echo "preview_bench: unknown argument $1" >&2; exit 2 ;;
  esac
done
build=$repo/build/$tree
[ -f "$build/CMakeCache.txt" ] || { echo "preview_bench: $build is not configured (run scripts/build.sh)" >&2; exit 2; }
cmake --build "$build" --target preview_bench -j 4 >/dev/null
run=("$repo/scripts/wine-run" "$tree" "$build/wineprefix")
"${run[@]}" --init
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}" "$build/bench/preview_bench.exe" "$paints"
else
  "${run[@]}" "$build/bench/preview_bench.exe" "$paints"
fi
