#!/usr/bin/env bash
# Screenshots of the preview window, showing a whole boot menu at each
# resolution and colour mode (and in 256 colours with the Arabic pack), and
# of the configuration dialog in English and in Arabic, taken in a Wine
# virtual desktop; PNGs in build/screens/.
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

# arabic_shot NAME LOCALE WIDTH MODE: the preview with the Arabic pack; its
# text keeps the 8 x 16 grid of the English pictures, in the Arabic ANSI
# code page (1256, ar_SA.UTF-8) as on an Arabic Windows, where Wine has no
# "Fixedsys" at all, and in the Western one (C.UTF-8), where it has none in
# the Arabic character set.
arabic_shot() {
  shot "$1" 1280x1024 "$2" "$exe" preview "$3" "$4" "$(winpath "$work")" 10241 "$(winpath "$build")"
}

preview_shot preview-640x480-16colours preview 640 3
for width in 640 800 1024; do
  preview_shot "preview-${width}-256colours" preview "$width" 0
  preview_shot "preview-${width}-64Kcolours" preview "$width" 1
  preview_shot "preview-${width}-16Mcolours" preview "$width" 2
done
for width in 640 800 1024; do
  arabic_shot "preview-${width}-256colours-arabic" ar_SA.UTF-8 "$width" 0
done
arabic_shot preview-640-256colours-arabic-western-codepage C.UTF-8 640 0
preview_shot config-dialog config
shot config-dialog-arabic 1280x1024 ar_SA.UTF-8 "$exe" config "$(winpath "$work")" 10241 "$(winpath "$build")"
