#!/usr/bin/env bash
# Pictures of the main window's six pages and of the File page's four menus
# in English, German (the tests' pack) and Arabic (in the Arabic code page),
# in a Wine virtual desktop (which draws frames and captions as Windows
# does), written to build/screens/main_<en|de|ar>_<n>_<page>.png and
# main_<en|de|ar>_menu_<burn|tools|options|help>.png. Needs the built tree;
# runs itself under Xvfb when no display is set. Usage: main_window.sh [win32|win64]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=${1:-$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$tree"
fi
build="$root/build/$tree"
prefix="$build/screens-prefix"  # its own prefix: the test prefix's settings stay as they are
out="$root/build/screens"
mkdir -p "$out"
rm -f "$out"/main_*.png
"$root/scripts/wine-run" "$tree" "$prefix" --init
# A program folder with the template and the two packs.
home="$build/screens-home"
rm -rf "$home"
mkdir -p "$home/lang"
cp "$build/korvel.dat" "$home/"
cp "$build/lang/lang_ar.dll" "$build/tests/ui/packs/lang_de.dll" "$home/lang/"
for language in "en 1033" "de 1031" "ar 10241"; do
  set -- $language
  locale=C.UTF-8
  [ "$2" = 10241 ] && locale=ar_SA.UTF-8  # the Arabic ANSI code page, as on an Arabic Windows
  LC_ALL=$locale "$root/scripts/wine-run" "$tree" "$prefix" explorer /desktop=shots,1024x768 \
    "$build/tests/acceptance/main_window_shots.exe" "Z:$build/Tarnwick.exe" "Z:$out" "$1" "$2" "Z:$home"
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -w || true
done
for bmp in "$out"/main_*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$out"/main_*.png
