#!/usr/bin/env bash
# Screenshots of the Make-ISO dialog and of the progress window in its
# preparing and progress modes, in English and in Arabic (the language pack
# the build makes), taken in a Wine virtual desktop; PNGs in build/screens/.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
tree=$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)
exe="$root/build/$tree/tests/ui/make_iso_screens.exe"
prefix="$root/build/$tree/wineprefix"
home="Z:$(echo "$root/build/$tree" | tr / '\\')"
out="$root/build/screens"
work="$out/make-iso-work"
mkdir -p "$work"
winwork="Z:$(echo "$work" | tr / '\\')"
"$root/scripts/wine-run" "$tree" "$prefix" --init

# shot NAME ARGS...: starts the program, waits until it has painted, takes
# the picture, then lets the program end.
shot() {
  local name=$1
  shift
  rm -f "$work/ready"
  "$root/scripts/wine-run" "$tree" "$prefix" explorer /desktop=shots,1024x768 "$exe" "$@" "$home" "$winwork" &
  local pid=$!
  for _ in $(seq 1 600); do
    [ -f "$work/ready" ] && break
    sleep 0.1
  done
  [ -f "$work/ready" ] || { echo "make_iso.sh: $name did not come up" >&2; kill "$pid"; return 1; }
  sleep 1
  import -window root "$out/$name.png"
  rm -f "$work/ready"
  wait "$pid" || true
  echo "make_iso.sh: $out/$name.png"
}

for language in 1033 10241; do
  shot "make-iso-dialog-$language" dialog "$language"
  shot "progress-preparing-$language" preparing "$language"
  shot "progress-running-$language" progress "$language"
done
