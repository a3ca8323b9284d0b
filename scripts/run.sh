#!/usr/bin/env bash
# Builds everything and starts Tarnwick under Wine (inside Xvfb when there is
# no display): the shipped 32-bit program where this machine can run it,
# else the 64-bit build of the same sources. It is started as a Windows
# shortcut starts it: with the program's folder (the build tree, laid out as
# an installed program folder) as the current folder, in a Wine prefix of
# its own, apart from the tests' prefixes.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
prefix_name=run-prefix
why=$(mktemp "${TMPDIR:-/tmp}/tw-run.XXXXXX")
tree=$(bash "$root/scripts/wine-sets" "$prefix_name" 2>"$why" | head -n 1)
if [ "$tree" = win32 ]; then
  echo "run.sh: starting the 32-bit program, build/win32/Tarnwick.exe"
else
  echo "run.sh: starting the 64-bit program, build/win64/Tarnwick.exe (the 32-bit one cannot run here: $(sed -n 's/^win32 Wine tests skipped: //p' "$why"))"
fi
rm -f "$why"
home="$root/build/$tree"
prefix="$home/$prefix_name"
"$root/scripts/wine-run" "$tree" "$prefix" --init
cd "$home"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-run" "$tree" "$prefix" ./Tarnwick.exe "$@"
fi
exec "$root/scripts/wine-run" "$tree" "$prefix" ./Tarnwick.exe "$@"
