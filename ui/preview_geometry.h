#pragma once
// Where the preview puts things, shared by the painter, the selection frame
// and the preview's hit test: the colour of a colour index, the start
// column of a text line and the frame of the current item. Window-free.
#include <cstdint>

#include "menu/document.h"

// A drawing rectangle: pixels left..right-1 and top..bottom-1.
struct DrawingRect {
  int32_t left, top, right, bottom;
};

// Every character of the preview font fills one cell of this size.
enum { kPreviewCellWidth = 8, kPreviewCellHeight = 16 };

// The colour value (0x00BBGGRR) of a colour index of the document. Only
// the low four bits of the index count: a whole byte read from a damaged
// menu file still selects one of the 16 entries of the colour table.
uint32_t PreviewColor(int index);

// The length of the text in a field of size bytes without its trailing
// blanks; never reads past size - 1 characters.
int TrimmedTextLength(const char* text, int size);

// The column where a text line of length characters starts: its left
// column, moved right (align 2) or to the middle (any other non-zero
// align) of the 8-pixel cells of its rectangle when they outnumber the
// characters. The text itself is never clipped to the rectangle.
int32_t TextLineStart(const TextItemGeometry& geometry, int length);

// The selection frame of the current item of list (layout, text or menu):
// the item's rectangle, or for a text line the cells its text covers.
// False for any other list, an empty list or a current item out of range.
bool CurrentItemFrame(int list, DrawingRect* frame);
