#pragma once
// The save-time preparation of the logo and background bitmaps for the
// document's colour mode, the checks of 16-colour mode, and the palette
// of a 16-colour bitmap.
#include <cstdint>

// By ColorMode: 16M colours ".BM3"; 64K colours ".BM2" and, when that
// succeeded, ".B15" (the result is that of ".BM2"); 256 colours
// PaletteReference from the colour table, then ".BM1" with reduce (1 for
// the background); 16 colours (and any other value) the logo or
// background check.
int CheckBootImage(const char* path, int reduce, int isLogo);

// A 16-colour-mode background: at most 4 bits per pixel at the menu screen
// size.
int CheckBackgroundBitmap(const char* path);
// A 16-colour-mode logo: 8 bits per pixel at 320 x 200.
int CheckLogoBitmap(const char* path);

// The 16 palette colours of a 4-bit bitmap as red, green, blue triples.
int ReadBitmapPalette16(const char* path, uint8_t out[48]);
