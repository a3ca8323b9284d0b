#!/usr/bin/env bash
# Screenshots of the Make-ISO dialog and of the progress window in its
# preparing and progress modes, in English and in Arabic (the language pack
# the build makes), taken in a Wine virtual desktop; PNGs in build/screens/.
set -eu
source "$(dirname "$0")/../../scripts/screens-lib.sh"
screens_begin make-iso-work "$@"
exe="$build/tests/ui/make_iso_screens.exe"

for language in 1033 10241; do
  locale=C.UTF-8
  [ "$language" = 10241 ] && locale=ar_SA.UTF-8  # the Arabic ANSI code page, as on an Arabic Windows
  args=("$language" "$(winpath "$build")" "$(winpath "$work")")
  shot "make-iso-dialog-$language" 1024x768 "$locale" "$exe" dialog "${args[@]}"
  shot "progress-preparing-$language" 1024x768 "$locale" "$exe" preparing "${args[@]}"
  shot "progress-running-$language" 1024x768 "$locale" "$exe" progress "${args[@]}"
done
