#pragma once
// The 8x8 fonts of the loader template: one shared set of ASCII glyphs and,
// per font, its own upper half (accented letters and look-alikes of the code
// page, box drawing in the boot font, code boxes for the rest).
#include <cstdint>

enum class TemplateFont {
  Fallback,         // Western letters
  Boot,             // box drawing, shades and blocks
  CentralEuropean,
  Cyrillic,
  Baltic,
  Greek,
  Hebrew,
  Turkish,
  Arabic,
};

// Fills out[2048]: glyph c occupies bytes 8c..8c+7, top row first, bit 7 the
// leftmost pixel.
void DrawTemplateFont(TemplateFont font, uint8_t out[2048]);
