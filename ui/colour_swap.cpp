#include "ui/colour_swap.h"

void SwapAreaColours(HDC dc, const ColourSwap& swap) {
  for (int32_t x = swap.left; x <= swap.right; ++x) {
    for (int32_t y = swap.top; y <= swap.bottom; ++y) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (pixel == swap.fromBack) {
        SetPixel(dc, x, y, swap.toBack);
      } else if (pixel == swap.fromFore) {
        SetPixel(dc, x, y, swap.toFore);
      }
    }
  }
}

// A colour value 0x00BBGGRR as a DIB pixel 0x00RRGGBB, and back.
static uint32_t ColorToPixel(uint32_t color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

void SwapAreaColours(PixelSurface& surface, const ColourSwap& swap) {
  const int32_t left = swap.left < 0 ? 0 : swap.left;
  const int32_t top = swap.top < 0 ? 0 : swap.top;
  const int32_t right = swap.right >= surface.width ? surface.width - 1 : swap.right;
  const int32_t bottom = swap.bottom >= surface.height ? surface.height - 1 : swap.bottom;
  // A colour value with bits above the 24 colour bits never equals a pixel,
  // as GetPixel's result never equals it either.
  const bool backMatches = (swap.fromBack >> 24) == 0;
  const bool foreMatches = (swap.fromFore >> 24) == 0;
  const uint32_t fromBack = ColorToPixel(swap.fromBack);
  const uint32_t toBack = ColorToPixel(swap.toBack);
  const uint32_t fromFore = ColorToPixel(swap.fromFore);
  const uint32_t toFore = ColorToPixel(swap.toFore);
  for (int32_t y = top; y <= bottom; ++y) {
    uint32_t* row = surface.pixels + (size_t)y * surface.width;
    for (int32_t x = left; x <= right; ++x) {
      const uint32_t pixel = row[x] & 0xFFFFFF;
      if (backMatches && pixel == fromBack) {
        row[x] = toBack;
      } else if (foreMatches && pixel == fromFore) {
        row[x] = toFore;
      }
    }
  }
}
