#include "ui/preview_painter.h"

#include <cstdio>

#include "menu/document.h"
#include "ui/preview_font.h"
#include "ui/preview_geometry.h"

namespace {

// Solid brushes of the 16 colour-table entries, made when first used.
class ColorBrushes {
 public:
  ColorBrushes() {
    for (HBRUSH& brush : brushes_) brush = nullptr;
  }
  ~ColorBrushes() {
    for (HBRUSH brush : brushes_) {
      if (brush) DeleteObject(brush);
    }
  }
  ColorBrushes(const ColorBrushes&) = delete;
  ColorBrushes& operator=(const ColorBrushes&) = delete;

  HBRUSH Of(int index) {
    HBRUSH& brush = brushes_[index & 15];
    if (brush == nullptr) brush = CreateSolidBrush(PreviewColor(index));
    return brush;
  }

 private:
  HBRUSH brushes_[kColorCount];
};

// Fills {left, top, right, bottom} (right and bottom exclusive); an empty
// or inverted rectangle draws nothing.
void FillArea(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, HBRUSH brush) {
  if (right <= left || bottom <= top) return;
  RECT area = {left, top, right, bottom};
  FillRect(dc, &area, brush);
}

// Upper and left bands in the upper colour, the inside in the main colour,
// then the lower and right bands one pixel shorter at each end per step, so
// that the bottom-left and top-right corners split along the diagonal.
void PaintLayoutBox(HDC dc, const LayoutItem& box, ColorBrushes& brushes) {
  const int32_t x1 = box.x1, y1 = box.y1, x2 = box.x2, y2 = box.y2;
  const int32_t w = box.edgeWidth;
  HBRUSH upper = brushes.Of(HighColor(box.edgeColors));
  HBRUSH lower = brushes.Of(LowColor(box.edgeColors));
  FillArea(dc, x1, y1, x2 + 1, y1 + w, upper);
  FillArea(dc, x1, y1 + w, x1 + w, y2 + 1, upper);
  FillArea(dc, x1 + w, y1 + w, x2 - w + 1, y2 - w + 1, brushes.Of(box.mainColor));
  for (int32_t k = 0; k < w; ++k) FillArea(dc, x1 + k, y2 - k, x2 - k + 1, y2 - k + 1, lower);
  for (int32_t k = 0; k < w; ++k) FillArea(dc, x2 - k, y1 + k, x2 - k + 1, y2 - k + 1, lower);
}

// A menu entry in its highlight colours.
void PaintMenuEntry(HDC dc, PixelSurface* surface, const MenuItemGeometry& entry,
                    const MenuItemStrings& strings, ColorBrushes& brushes) {
  const uint8_t normal = entry.normalColors;
  const uint8_t highlight = entry.highlightColors;
  if (strings.useImageText) {
    ColourSwap swap = {entry.x1, entry.y1, entry.x2, entry.y2,
                       PreviewColor(HighColor(normal)), PreviewColor(HighColor(highlight)),
                       PreviewColor(LowColor(normal)), PreviewColor(LowColor(highlight))};
    if (surface) {
      GdiFlush();
      SwapAreaColours(*surface, swap);
    } else {
      SwapAreaColours(dc, swap);
    }
    return;
  }
  const int32_t x1 = entry.x1, y1 = entry.y1, x2 = entry.x2, y2 = entry.y2;
  if (PreviewColor(HighColor(highlight)) != PreviewColor(LowColor(highlight))) {
    FillArea(dc, x1, y1, x2 + 1, y2 + 1, brushes.Of(HighColor(highlight)));
  }
  SetTextColor(dc, PreviewColor(LowColor(highlight)));
  TextOutA(dc, x1 + 4, y1 + (y2 - y1 - 15) / 2, strings.text,
           TrimmedTextLength(strings.text, kItemTextSize));
}

void PaintTextLine(HDC dc, const TextItem& line) {
  const int length = TrimmedTextLength(line.text, kItemTextSize);
  SetTextColor(dc, PreviewColor(line.geometry.color));
  TextOutA(dc, TextLineStart(line.geometry, length), line.geometry.y1, line.text, length);
}

// The wait time in opaque character cells. The cells are filled whole,
// 8 x 16 each as on the boot screen, before the digits are drawn: an
// opaque text background covers only the font's own height ("Fixedsys"
// is 15 rows high).
void PaintCountdown(HDC dc, ColorBrushes& brushes) {
  const MenuDocument& doc = TheDocument;
  if (!doc.WaitTimeOn || doc.WaitTime == 0 || !doc.ShowCounter) return;
  char digits[8];
  const int length = snprintf(digits, sizeof digits, "%d", doc.WaitTime);
  const int32_t x = doc.CounterX, y = doc.CounterY;
  FillArea(dc, x, y, x + kPreviewCellWidth * length, y + kPreviewCellHeight,
           brushes.Of(HighColor(doc.CounterColors)));
  SetTextColor(dc, PreviewColor(LowColor(doc.CounterColors)));
  TextOutA(dc, x, y, digits, length);
}

// The frame, the empty bar and its first half, with x2 and y2 exclusive.
void PaintProgressBar(HDC dc, ColorBrushes& brushes) {
  const MenuDocument& doc = TheDocument;
  if (!doc.ShowProgress) return;
  const int32_t x1 = doc.ProgressRect.x1, y1 = doc.ProgressRect.y1;
  const int32_t x2 = doc.ProgressRect.x2, y2 = doc.ProgressRect.y2;
  FillArea(dc, x1, y1, x2, y2, brushes.Of(doc.ProgressEdgeColor));
  FillArea(dc, x1 + 1, y1 + 1, x2 - 1, y2 - 1, brushes.Of(HighColor(doc.ProgressColors)));
  FillArea(dc, x1 + 1, y1 + 1, (x1 + x2) / 2, y2 - 1, brushes.Of(LowColor(doc.ProgressColors)));
}

// Items 1..count of a list, never more than its array holds.
int DrawnCount(int list) {
  const int count = TheDocument.ItemCount[list];
  const int limit = ListLimitOf(list);
  return count < limit ? count : limit;
}

}  // namespace

COLORREF PreviewFormColor() { return GetSysColor(COLOR_BTNTEXT); }

void PaintMenuPreview(HDC dc, PixelSurface* surface) {
  const MenuDocument& doc = TheDocument;
  InitPreviewFont();
  HGDIOBJ oldFont = SelectObject(dc, PreviewFont);
  const COLORREF oldTextColor = GetTextColor(dc);
  const COLORREF oldBkColor = GetBkColor(dc);
  const int oldBkMode = SetBkMode(dc, TRANSPARENT);
  ColorBrushes brushes;

  for (int i = 1; i <= DrawnCount(kLayoutList); ++i) PaintLayoutBox(dc, doc.layoutItems[i], brushes);
  for (int i = 1; i <= DrawnCount(kMenuList); ++i) {
    PaintMenuEntry(dc, surface, doc.menuGeometry[i], doc.menuStrings[i], brushes);
  }
  for (int i = 1; i <= DrawnCount(kTextList); ++i) PaintTextLine(dc, doc.textItems[i]);
  PaintCountdown(dc, brushes);
  PaintProgressBar(dc, brushes);

  SelectObject(dc, oldFont);
  SetTextColor(dc, oldTextColor);
  SetBkColor(dc, oldBkColor);
  SetBkMode(dc, oldBkMode);
}

void DrawPreviewPicture(HDC dc, const BackImage& back, PixelSurface* surface) {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  HBRUSH form = CreateSolidBrush(PreviewFormColor());
  RECT all = {0, 0, screen.width, screen.height};
  FillRect(dc, &all, form);
  DeleteObject(form);
  if (TheDocument.BackImageOn) CopyBackImage(dc, back, screen.width, screen.height);
  PaintMenuPreview(dc, surface);
}
