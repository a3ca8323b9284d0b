#include "ui/preview_geometry.h"

uint32_t PreviewColor(int index) { return TheDocument.CurrentColorTable[index & 15].color; }

int TrimmedTextLength(const char* text, int size) {
  int length = 0;
  while (length < size - 1 && text[length] != '\0') ++length;
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

int32_t TextLineStart(const TextItemGeometry& geometry, int length) {
  const int32_t x1 = geometry.x1;
  const int32_t x2 = geometry.x2;
  const int32_t cells = (x2 - x1) / kPreviewCellWidth;  // truncates toward zero
  if (geometry.align == kAlignLeft || cells <= length) return x1;
  if (geometry.align == kAlignRight) return x2 - kPreviewCellWidth * length;
  return x1 + (kPreviewCellWidth * (cells - length)) / 2;
}

bool CurrentItemFrame(int list, DrawingRect* frame) {
  const MenuDocument& doc = TheDocument;
  if (list != kLayoutList && list != kTextList && list != kMenuList) return false;
  const int item = doc.CurrentItem[list];
  if (item < 1 || item > doc.ItemCount[list] || item > ListLimitOf(list)) return false;
  if (list == kLayoutList) {
    const LayoutItem& box = doc.layoutItems[item];
    *frame = {box.x1, box.y1, box.x2 + 1, box.y2 + 1};
  } else if (list == kMenuList) {
    const MenuItemGeometry& entry = doc.menuGeometry[item];
    *frame = {entry.x1, entry.y1, entry.x2 + 1, entry.y2 + 1};
  } else {
    const TextItem& line = doc.textItems[item];
    const int length = TrimmedTextLength(line.text, kItemTextSize);
    const int32_t x = TextLineStart(line.geometry, length);
    *frame = {x, line.geometry.y1, x + kPreviewCellWidth * length,
              line.geometry.y1 + kPreviewCellHeight};
  }
  return true;
}
