// Feeds one input, as a bitmap and as a ".BM1" file, to every reader of the
// 256- and 16-colour modes. The first byte picks a small screen size so
// that whole pictures fit in a fuzz input.
#include "fuzz/fuzz_input_file.h"
#include "menu/bitmap_8bit.h"
#include "menu/bitmap_checks.h"
#include "menu/bitmap_in_place.h"
#include "menu/bitmap_restore.h"
#include "menu/document.h"

static const ScreenSize kScreens[] = {{1, 1}, {3, 2}, {8, 4}, {13, 3}, {32, 2}, {640, 1}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TheDocument.MenuScreenSize = kScreens[data[0] % 6];
  TheDocument.ColorMode = kColors256;
  int reduce = (data[0] >> 3) & 1;
  ++data;
  --size;
  std::string bitmap = FuzzPath("in.bmp");
  std::string converted = FuzzPath("in.BM1");
  WriteFuzzFile(bitmap, data, size);
  ConvertImageTo8Bit(bitmap.c_str(), reduce);
  CheckBackgroundBitmap(bitmap.c_str());
  CheckLogoBitmap(bitmap.c_str());
  uint8_t palette[48];
  ReadBitmapPalette16(bitmap.c_str(), palette);
  ConvertBitmapInPlace(bitmap.c_str());
  ConvertBitmapInPlace(bitmap.c_str());
  RemoveFuzzFile(bitmap);
  WriteFuzzFile(converted, data, size);
  RestoreBitmapFromBM1(bitmap.c_str());
  RemoveFuzzFile(bitmap);
  RemoveFuzzFile(converted);
  return 0;
}
