#!/usr/bin/env bash
# Takes every window's screenshots: runs each tests/screens/*.sh in turn
# (after a build); the PNGs land in build/screens/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
mkdir -p "$root/build/screens"
for script in "$root"/tests/screens/*.sh; do
  echo "screenshots.sh: $(basename "$script")"
  bash "$script"
done
