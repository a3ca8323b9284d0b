#!/usr/bin/env bash
# Screenshots of the preview window, showing a whole boot menu at each
# resolution and colour mode, and of the configuration dialog, taken in a
# Wine virtual desktop; PNGs in build/screens/.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
tree=$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)
exe="$root/build/$tree/tests/ui/preview_screens.exe"
prefix="$root/build/$tree/wineprefix"
out="$root/build/screens"
work="$out/preview-work"
mkdir -p "$work"
winwork="Z:$(echo "$work" | tr / '\\')"
"$root/scripts/wine-run" "$tree" "$prefix" --init

# shot NAME ARGS...: starts the program, waits until it has painted, takes
# the picture, then lets the program end.
shot() {
  local name=$1
  shift
  rm -f "$work/ready"
  "$root/scripts/wine-run" "$tree" "$prefix" explorer /desktop=shots,1280x1024 "$exe" "$@" "$winwork" &
  local pid=$!
  for _ in $(seq 1 600); do
    [ -f "$work/ready" ] && break
    sleep 0.1
  done
  [ -f "$work/ready" ] || { echo "preview.sh: $name did not come up" >&2; kill "$pid"; return 1; }
  sleep 1
  import -window root "$out/$name.png"
  rm -f "$work/ready"
  wait "$pid" || true
  echo "preview.sh: $out/$name.png"
}

shot preview-640x480-16colours preview 640 3
for width in 640 800 1024; do
  shot "preview-${width}-256colours" preview "$width" 0
  shot "preview-${width}-64Kcolours" preview "$width" 1
  shot "preview-${width}-16Mcolours" preview "$width" 2
done
shot config-dialog config
