#!/usr/bin/env bash
# Screenshots of the preview window, showing a whole boot menu at each
# resolution and colour mode, and of the configuration dialog, taken in a
# Wine virtual desktop; PNGs in build/screens/.
set -eu
source "$(dirname "$0")/../../scripts/screens-lib.sh"
screens_begin preview-work "$@"
exe="$build/tests/ui/preview_screens.exe"

# preview_shot NAME ARGS...: the preview program with ARGS.
preview_shot() {
  local name=$1
  shift
  shot "$name" 1280x1024 C.UTF-8 "$exe" "$@" "$(winpath "$work")"
}

preview_shot preview-640x480-16colours preview 640 3
for width in 640 800 1024; do
  preview_shot "preview-${width}-256colours" preview "$width" 0
  preview_shot "preview-${width}-64Kcolours" preview "$width" 1
  preview_shot "preview-${width}-16Mcolours" preview "$width" 2
done
preview_shot config-dialog config
