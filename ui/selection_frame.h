#pragma once
// The dotted frame around the current item of the preview. It is drawn with
// XOR, so drawing it twice restores the picture and moving it needs no
// repaint: it must be erased exactly once before another one is drawn, and
// forgotten (not erased) when the picture under it was painted anew.
#include <windows.h>

#include <cstdint>

#include "ui/preview_geometry.h"

class SelectionFrame {
 public:
  // Draws the frame of rect (right and bottom exclusive) and remembers it:
  // a dotted pen in colour 15 of the colour table, XOR-combined, the gaps
  // XOR-combined with colour 0.
  void DrawSelectionFrame(HDC dc, const DrawingRect& rect);
  // Draws the remembered frame again, which removes it; nothing when no
  // frame is shown.
  void EraseFocusRect(HDC dc);
  // The picture was painted anew: no frame is on it any more.
  void ForgetFocusRect() { shown_ = 0; }
  // Erases the frame shown, then draws the frame of the current item of
  // the main window's active list (none on a page without an item list).
  void ShowCurrentItemFocus(HDC dc);

  bool FocusRectShown() const { return shown_ != 0; }
  const DrawingRect& FocusRect() const { return rect_; }

 private:
  void DrawOutline(HDC dc) const;

  DrawingRect rect_ = {0, 0, 0, 0};
  uint8_t shown_ = 0;
  // The colours the frame on screen was drawn with, so that erasing it
  // restores the picture even when the colour table changed meanwhile.
  COLORREF penColor_ = 0;
  COLORREF gapColor_ = 0;
};
