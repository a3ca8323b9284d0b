#!/usr/bin/env bash
# Screenshots of the Tools menu's dialogs (floppy reader, new image, replace
# text) beside the main window, in English at 96 and 120 DPI and in Arabic,
# taken in a Wine virtual desktop; PNGs in build/screens/.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
tree=$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)
build="$root/build/$tree"
exe="$build/tests/ui/tool_dialogs_screens.exe"
prefix="$build/wineprefix"
out="$root/build/screens"
work="$out/tool-dialogs-work"
mkdir -p "$work"
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
"$root/scripts/wine-run" "$tree" "$prefix" --init

# shot NAME DIALOG LANGID DPI: starts the program, waits until the dialog is
# up, takes the picture, then lets the program end. Arabic runs with the
# Arabic ANSI code page (1256), as on an Arabic Windows, so that the pack's
# texts show as Arabic letters.
shot() {
  local name=$1
  local locale=C.UTF-8
  [ "$3" = 10241 ] && locale=ar_SA.UTF-8
  shift
  rm -f "$work/ready"
  LC_ALL=$locale "$root/scripts/wine-run" "$tree" "$prefix" explorer /desktop=shots,1024x768 "$exe" "$@" \
    "$(winpath "$build")" "$(winpath "$work")" 2> >(grep -v setlocale >&2) &
  local pid=$!
  for _ in $(seq 1 600); do
    [ -f "$work/ready" ] && break
    sleep 0.1
  done
  [ -f "$work/ready" ] || { echo "tool_dialogs.sh: $name did not come up" >&2; kill "$pid"; return 1; }
  sleep 1
  import -window root -crop 1024x768+0+0 +repage "$out/$name.png"
  rm -f "$work/ready"
  wait "$pid" || true
  echo "tool_dialogs.sh: $out/$name.png"
}

for dialog in floppy newimage replace; do
  shot "tool-$dialog-english" "$dialog" 1033 96
  shot "tool-$dialog-english-120dpi" "$dialog" 1033 120
  shot "tool-$dialog-arabic" "$dialog" 10241 96
done
rmdir "$work" 2>/dev/null || true
