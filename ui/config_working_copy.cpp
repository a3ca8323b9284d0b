#include "ui/config_working_copy.h"

#include <cstdio>
#include <cstring>

#include "ui/preview_geometry.h"

namespace {

// An inclusive rectangle reaches past the screen.
bool PastScreen(int32_t x2, int32_t y2) {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  return x2 >= screen.width || y2 >= screen.height;
}

}  // namespace

void LoadWorkingCopy(ConfigWorkingCopy& copy) {
  const MenuDocument& doc = TheDocument;
  memcpy(copy.WorkingColorTable, doc.CurrentColorTable, sizeof copy.WorkingColorTable);
  copy.WorkingSettings = ConfigSettings{doc.ColorMode,      doc.Resolution, doc.MouseOff,
                                        doc.DefaultMenuOff, doc.KeepKernel, doc.SmoothVideo};
  if (copy.WorkingSettings.ColorMode == kColors16) copy.WorkingSettings.Resolution = kResolution640x480;
}

void SetWorkingColorMode(ConfigWorkingCopy& copy, int colorMode) {
  copy.WorkingSettings.ColorMode = (uint8_t)colorMode;
  if (colorMode == kColors16) copy.WorkingSettings.Resolution = kResolution640x480;
}

bool ApplyWorkingCopy(const ConfigWorkingCopy& copy) {
  MenuDocument& doc = TheDocument;
  memcpy(doc.CurrentColorTable, copy.WorkingColorTable, sizeof doc.CurrentColorTable);
  const ConfigSettings& settings = copy.WorkingSettings;
  const bool resolutionChanged = settings.Resolution != doc.Resolution;
  if (resolutionChanged) {
    doc.Resolution = settings.Resolution;
    ApplyResolution();
  }
  doc.ColorMode = settings.ColorMode;
  doc.MouseOff = settings.MouseOff;
  doc.DefaultMenuOff = settings.DefaultMenuOff;
  doc.KeepKernel = settings.KeepKernel;
  doc.SmoothVideo = settings.SmoothVideo;
  return resolutionChanged;
}

int CountItemsOutsideScreen() {
  const MenuDocument& doc = TheDocument;
  int outside = 0;
  for (int i = 1; i <= doc.ItemCount[kLayoutList] && i <= kMaxLayoutItems; ++i) {
    outside += PastScreen(doc.layoutItems[i].x2, doc.layoutItems[i].y2);
  }
  for (int i = 1; i <= doc.ItemCount[kTextList] && i <= kMaxTextItems; ++i) {
    outside += PastScreen(doc.textItems[i].geometry.x2, doc.textItems[i].geometry.y2);
  }
  for (int i = 1; i <= doc.ItemCount[kMenuList] && i <= kMaxMenuItems; ++i) {
    outside += PastScreen(doc.menuGeometry[i].x2, doc.menuGeometry[i].y2);
  }
  if (doc.ShowCounter) {
    // The countdown's digits, one cell each.
    char digits[8];
    const int length = snprintf(digits, sizeof digits, "%d", (int)doc.WaitTime);
    outside += PastScreen(doc.CounterX + kPreviewCellWidth * length - 1, doc.CounterY + kPreviewCellHeight - 1);
  }
  if (doc.ShowProgress) {
    // The bar covers x1..x2-1 and y1..y2-1.
    outside += PastScreen(doc.ProgressRect.x2 - 1, doc.ProgressRect.y2 - 1);
  }
  return outside;
}
