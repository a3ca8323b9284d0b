#!/usr/bin/env bash
# Screenshots of the Tools menu's dialogs (floppy reader, new image, replace
# text) beside the main window, in English at 96 and 120 DPI and in Arabic,
# taken in a Wine virtual desktop; PNGs in build/screens/.
set -eu
source "$(dirname "$0")/../../scripts/screens-lib.sh"
screens_begin tool-dialogs-work "$@"
exe="$build/tests/ui/tool_dialogs_screens.exe"

# dialog_shot NAME DIALOG LANGID DPI: the dialog beside the main window.
# Arabic runs with the Arabic ANSI code page (1256), as on an Arabic
# Windows, so that the pack's texts show as Arabic letters.
dialog_shot() {
  local name=$1 locale=C.UTF-8
  [ "$3" = 10241 ] && locale=ar_SA.UTF-8
  shift
  shot "$name" 1024x768 "$locale" "$exe" "$@" "$(winpath "$build")" "$(winpath "$work")"
}

for dialog in floppy newimage replace; do
  dialog_shot "tool-$dialog-english" "$dialog" 1033 96
  dialog_shot "tool-$dialog-english-120dpi" "$dialog" 1033 120
  dialog_shot "tool-$dialog-arabic" "$dialog" 10241 96
done
rmdir "$work" 2>/dev/null || true
