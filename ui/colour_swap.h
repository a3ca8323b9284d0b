#pragma once
// The colour swap that shows a menu entry whose text is part of the
// background picture in its highlight colours: inside the entry's
// rectangle the pixels of its normal background colour take the highlight
// background colour, and those of its normal text colour the highlight
// text colour; every other pixel stays.
#include <windows.h>

#include <cstdint>

struct ColourSwap {
  int32_t left, top, right, bottom;  // all inclusive
  uint32_t fromBack, toBack, fromFore, toFore;  // colour values 0x00BBGGRR
};

// Pixels of a top-down 32-bit DIB section (blue in the low byte), as the
// preview's off-screen picture holds them.
struct PixelSurface {
  uint32_t* pixels;
  int32_t width;
  int32_t height;
};

// A top-down 32-bit DIB section of width x height for surface; null (and
// surface emptied) when it cannot be made.
HBITMAP CreatePixelSurface(int32_t width, int32_t height, PixelSurface* surface);

// Reads and writes single pixels of the device context, column by column.
void SwapAreaColours(HDC dc, const ColourSwap& swap);

// The same replacement straight in the memory of a DIB section (pending
// drawing on it must be flushed first); the part of the area outside the
// surface is left out.
void SwapAreaColours(PixelSurface& surface, const ColourSwap& swap);
