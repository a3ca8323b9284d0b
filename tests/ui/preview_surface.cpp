#include "tests/ui/preview_surface.h"

#include <cstring>

#include "ui/preview_font.h"

TestSurface::TestSurface(int32_t width, int32_t height) {
  bitmap_ = CreatePixelSurface(width, height, &surface_);
  dc_ = CreateCompatibleDC(nullptr);
  before_ = SelectObject(dc_, bitmap_);
}

TestSurface::~TestSurface() {
  SelectObject(dc_, before_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

COLORREF TestSurface::At(int32_t x, int32_t y) {
  GdiFlush();
  const uint32_t pixel = surface_.pixels[(size_t)y * surface_.width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void TestSurface::Fill(COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT all = {0, 0, surface_.width, surface_.height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

bool TestSurface::SameAs(TestSurface& other) {
  GdiFlush();
  const size_t bytes = (size_t)surface_.width * surface_.height * 4;
  return surface_.width == other.surface_.width && surface_.height == other.surface_.height &&
         memcmp(surface_.pixels, other.surface_.pixels, bytes) == 0;
}

void ResetPreviewDocument() {
  MenuDocument& doc = TheDocument;
  ResetMenuDocument();
  memcpy(doc.CurrentColorTable, kInitialColorTable, sizeof doc.CurrentColorTable);
  doc.Resolution = kResolution640x480;
  doc.ColorMode = kColors256;
  ApplyResolution();
  doc.ShowCounter = 0;
  doc.BackImageOn = 0;
}

bool TextInkAt(TestSurface& painted, int32_t x, int32_t y, const char* text, COLORREF color) {
  const int32_t length = (int32_t)strlen(text);
  const int32_t width = 8 * (length + 2), height = 16 * 3;
  // The text alone, white on black, one cell in from the corner.
  TestSurface ink(width, height);
  ink.Fill(RGB(0, 0, 0));
  InitPreviewFont();
  HGDIOBJ before = SelectObject(ink.dc(), PreviewFont);
  SetBkMode(ink.dc(), TRANSPARENT);
  SetTextColor(ink.dc(), RGB(255, 255, 255));
  TextOutA(ink.dc(), 8, 16, text, length);
  SelectObject(ink.dc(), before);
  bool any = false;
  for (int32_t dy = 0; dy < height; ++dy) {
    for (int32_t dx = 0; dx < width; ++dx) {
      const int32_t px = x - 8 + dx, py = y - 16 + dy;
      if (px < 0 || py < 0 || px >= painted.pixels().width || py >= painted.pixels().height) continue;
      const bool isInk = ink.At(dx, dy) == RGB(255, 255, 255);
      any = any || isInk;
      if (isInk != (painted.At(px, py) == color)) return false;
    }
  }
  return any;
}
