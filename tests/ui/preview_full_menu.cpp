#include "tests/ui/preview_full_menu.h"

#include <cstdio>
#include <cstring>

#include "menu/document.h"

void BuildFullMenu() {
  MenuDocument& doc = TheDocument;
  ResetMenuDocument();
  memcpy(doc.CurrentColorTable, kInitialColorTable, sizeof doc.CurrentColorTable);
  doc.Resolution = kResolution1024x768;
  ApplyResolution();
  doc.BackImageOn = 1;
  for (int i = 1; i <= kMaxLayoutItems; ++i) {
    const int column = (i - 1) % 6, row = (i - 1) / 6;
    doc.layoutItems[i] = LayoutItem{(uint16_t)(column * 170), (uint16_t)(row * 120),
                                    (uint16_t)(column * 170 + 160), (uint16_t)(row * 120 + 110),
                                    (uint8_t)MakeColorPair(15, 8), (uint8_t)(7 + i % 2), 3};
  }
  for (int i = 1; i <= kMaxTextItems; ++i) {
    TextItem& line = doc.textItems[i];
    snprintf(line.text, sizeof line.text, "Text line %d of the boot menu", i);
    const uint16_t x = (uint16_t)(((i - 1) % 2) * 512), y = (uint16_t)(((i - 1) / 2) * 30);
    line.geometry = TextItemGeometry{x, y, (uint16_t)(x + 480), (uint16_t)(y + 15),
                                     (uint8_t)(i % 3), (uint8_t)(i % 16)};
  }
  for (int i = 1; i <= kMaxMenuItems; ++i) {
    const uint16_t x = (uint16_t)(((i - 1) % 3) * 340), y = (uint16_t)(40 + ((i - 1) / 3) * 60);
    doc.menuGeometry[i] = MenuItemGeometry{MakeColorPair(1, 14), x, y, (uint16_t)(x + 311),
                                           (uint16_t)(y + 15), MakeColorPair(4, 15)};
    snprintf(doc.menuStrings[i].text, kItemTextSize, "Boot entry %d", i);
    doc.menuStrings[i].useImageText = (i % 3 == 0) ? 1 : 0;
  }
  doc.ItemCount[kLayoutList] = kMaxLayoutItems;
  doc.ItemCount[kTextList] = kMaxTextItems;
  doc.ItemCount[kMenuList] = kMaxMenuItems;
  for (int list = 0; list < kFunctionKeyList; ++list) doc.CurrentItem[list] = 1;
  doc.WaitTime = 30;
  doc.ShowCounter = 1;
  doc.CounterX = 980;
  doc.CounterY = 740;
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{100, 700, 900, 718};
}

BackImage MakeFullMenuBackground() {
  // An 8-bit picture, as a 256-colour background loads: stripes of the
  // entries' normal colours (red 1, yellow 14) and cyan.
  const int width = 1024, height = 768;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info = {};
  info.header = {sizeof info.header, width, -height, 1, 8, BI_RGB, 0, 0, 0, 3, 0};
  info.colors[0] = RGBQUAD{0x00, 0x00, 0x80, 0};
  info.colors[1] = RGBQUAD{0x00, 0xFF, 0xFF, 0};
  info.colors[2] = RGBQUAD{0x80, 0x80, 0x00, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, nullptr, 0);
  uint8_t* pixels = (uint8_t*)bits;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * width + x] = (uint8_t)((x / 3 + y / 5) % 3);
  }
  return BackImage{bitmap, width, height};
}
