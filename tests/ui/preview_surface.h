#pragma once
// A 32-bit memory picture for the preview tests, pixel reads in colour
// values (0x00BBGGRR), and a document made ready for painting.
#include <windows.h>

#include <cstdint>

#include "menu/document.h"
#include "ui/colour_swap.h"

class TestSurface {
 public:
  TestSurface(int32_t width, int32_t height);
  ~TestSurface();
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  HDC dc() const { return dc_; }
  PixelSurface& pixels() { return surface_; }
  COLORREF At(int32_t x, int32_t y);  // flushes pending drawing first
  void Fill(COLORREF color);
  // True when both hold the same pixels.
  bool SameAs(TestSurface& other);

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ before_;
  PixelSurface surface_;
};

// A new document at 640 x 480 with the initial colour table, no countdown
// and no progress bar.
void ResetPreviewDocument();

// The ink of text drawn in the preview font: true when the painted picture
// has color exactly where text drawn at (x, y) would put ink, checked over
// the text's cells and one cell around them.
bool TextInkAt(TestSurface& painted, int32_t x, int32_t y, const char* text, COLORREF color);
