#!/usr/bin/env bash
# fresh_prefix.sh WINE_RUN ARCH PREFIX [--remove]
# Removes the Wine prefix PREFIX (its server stopped first) and, without
# --remove, makes it anew through scripts/wine-run, with Wine's fonts and
# the window settings the tests' prefixes have: a prefix in which no program
# has run yet, so no settings key of an earlier run is there.
set -u
wine_run=$1 arch=$2 prefix=$3
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=/usr/lib/wine/wineserver
if [ -d "$prefix" ]; then
  WINEPREFIX=$prefix "$server" -k 2>/dev/null
  rm -rf "$prefix" || exit 1
fi
rm -f "$prefix.lock"
[ "${4:-}" = --remove ] && exit 0
exec "$wine_run" "$arch" "$prefix" --init
