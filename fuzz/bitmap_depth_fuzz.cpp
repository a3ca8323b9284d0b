// Feeds one input, as a bitmap and as ".B15" and ".BM3" files, to the
// 16-, 15- and 24-bit converters and their restorers. The first byte picks
// a small screen size.
#include "fuzz/fuzz_input_file.h"
#include "menu/bitmap_depth.h"
#include "menu/bitmap_restore.h"
#include "menu/document.h"

static const ScreenSize kScreens[] = {{1, 1}, {3, 2}, {8, 4}, {13, 3}, {32, 2}, {640, 1}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TheDocument.MenuScreenSize = kScreens[data[0] % 6];
  ++data;
  --size;
  std::string bitmap = FuzzPath("in.bmp");
  WriteFuzzFile(bitmap, data, size);
  ConvertImageTo16Bit(bitmap.c_str());
  ConvertImageTo15Bit(bitmap.c_str());
  ConvertImageTo24Bit(bitmap.c_str());
  RemoveFuzzFile(bitmap);
  const char* extensions[] = {"in.BM2", "in.B15", "in.BM3"};
  for (const char* name : extensions) WriteFuzzFile(FuzzPath(name), data, size);
  RestoreBackgroundFrom15Bit(bitmap.c_str());
  RemoveFuzzFile(bitmap);
  RestoreBackgroundFrom24Bit(bitmap.c_str());
  RemoveFuzzFile(bitmap);
  for (const char* name : extensions) RemoveFuzzFile(FuzzPath(name));
  return 0;
}
