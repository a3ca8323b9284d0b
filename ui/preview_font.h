#pragma once
// The preview's text font: the raster face "Fixedsys" in 8 x 16 pixel
// character cells, made once when the main window is set up, with the
// character set of the UI language in force at that moment (a later
// language switch keeps it).
#include <windows.h>

// The font's character set for a language id: Cyrillic, Central European,
// Greek, Hebrew, Korean, Turkish and Arabic languages get their own set,
// every other language 1 (DEFAULT_CHARSET).
int PreviewFontCharset(int langId);

// A new "Fixedsys" font of height 16 and width 8, weight 400, in charset.
// Where the system gives no face in 8-pixel cells for it (no "Fixedsys" in
// that set), the first that does of: a fixed-pitch face of the set,
// "Fixedsys" of the default set, any raster face, any fixed-pitch face.
HFONT CreatePreviewFont(int charset);

// The font of the preview painter; null until InitPreviewFont.
extern HFONT PreviewFont;

// Makes PreviewFont from the language in force, when it is not made yet.
void InitPreviewFont();
