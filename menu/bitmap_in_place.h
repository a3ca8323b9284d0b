#pragma once
// The preview's conversion of a background for 256-colour mode.

// Rewrites a 1-, 4- or 8-bit background of the menu screen size as a
// marked plain 8-bit bitmap (rows kept in their order; a 1- or 4-bit
// picture gets PaletteReference in entries 0..15 and its own colours from
// 16 on), keeping the file's modification time. A file that already
// carries the mark is left alone (0). The new picture is written to
// "<name>.BMI" first and only then put in the bitmap's place; on any
// failure the temporary file is removed and the bitmap stays as it was.
int ConvertBitmapInPlace(const char* path);
