// Dispatch of the bitmap preparation by colour mode, and the checks.
#include "menu/bitmap_checks.h"

#include <cstdio>

#include "menu/bitmap_8bit.h"
#include "menu/bitmap_depth.h"
#include "menu/document.h"

const int32_t kLogoWidth = 320;
const int32_t kLogoHeight = 200;

int CheckBootImage(const char* path, int reduce, int isLogo) {
  switch (TheDocument.ColorMode) {
    case kColors16M:
      return ConvertImageTo24Bit(path);
    case kColors64K: {
      int code = ConvertImageTo16Bit(path);
      if (code == kBitmapDone) ConvertImageTo15Bit(path);
      return code;
    }
    case kColors256: {
      uint32_t colors[kColorCount];
      for (int i = 0; i < kColorCount; ++i) colors[i] = TheDocument.CurrentColorTable[i].color;
      SetPaletteReference(colors);
      return ConvertImageTo8Bit(path, reduce);
    }
    default:
      return isLogo ? CheckLogoBitmap(path) : CheckBackgroundBitmap(path);
  }
}

// Opens the bitmap and reads its headers and palette into info.
static int ReadHeaderOf(const char* path, BitmapInfo* info) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return kBitmapOpenError;
  int code = ReadBitmapHeader(file, info);
  fclose(file);
  return code;
}

int CheckBackgroundBitmap(const char* path) {
  BitmapInfo info;
  int code = ReadHeaderOf(path, &info);
  if (code != kBitmapDone) return code;
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  if (info.width != screen.width || info.height != screen.height) return kBitmapSizeError;
  if (info.bitsPerPixel > 4) return kBitmapFormatError;
  return kBitmapDone;
}

int CheckLogoBitmap(const char* path) {
  BitmapInfo info;
  int code = ReadHeaderOf(path, &info);
  if (code != kBitmapDone) return code;
  if (info.width != kLogoWidth || info.height != kLogoHeight) return kBitmapSizeError;
  if (info.bitsPerPixel != 8) return kBitmapFormatError;
  return kBitmapDone;
}

int ReadBitmapPalette16(const char* path, uint8_t out[48]) {
  BitmapInfo info;
  int code = ReadHeaderOf(path, &info);
  if (code != kBitmapDone) return code;
  if (info.bitsPerPixel != 4) return kBitmapFormatError;
  for (int i = 0; i < 16; ++i) {
    const RgbColor& c = BitmapTables.WorkPalette[16 + i];
    out[3 * i] = c.red;
    out[3 * i + 1] = c.green;
    out[3 * i + 2] = c.blue;
  }
  return kBitmapDone;
}
