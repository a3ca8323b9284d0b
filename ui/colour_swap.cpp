#include "ui/colour_swap.h"

HBITMAP CreatePixelSurface(int32_t width, int32_t height, PixelSurface* surface) {
  *surface = PixelSurface{nullptr, 0, 0};
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap != nullptr && pixels == nullptr) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  if (bitmap != nullptr) *surface = PixelSurface{(uint32_t*)pixels, width, height};
  return bitmap;
}

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

// A colour value 0x00BBGGRR as a DIB pixel 0x00RRGGBB.
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
