#pragma once
// Test pictures for the bitmap converters: Windows bitmaps of every depth
// built in memory, plus file helpers and a private test folder.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/file_bytes.h"

struct TestColor {
  uint8_t red, green, blue;
};

struct TestPicture {
  int32_t width = 0;
  int32_t height = 0;
  int bits = 8;                     // 1, 4, 8, 16, 24 (32 for a refused depth)
  std::vector<TestColor> palette;   // 2, 16 or 256 entries for 1, 4, 8 bits
  // Pixels from the TOP row down: a palette index, a 16-bit 5-5-5 value or
  // 0x00RRGGBB for 24 and 32 bits.
  std::vector<uint32_t> pixels;
  char type[2] = {'B', 'M'};
  uint16_t reserved1 = 0, reserved2 = 0;
  uint32_t compression = 0;
  // Size of the information header: 40, or 108 and 124 for the V4 and V5
  // headers that current editors write (the palette follows the header).
  uint32_t infoSize = 40;

  uint32_t& at(int32_t x, int32_t y) { return pixels[(size_t)y * width + x]; }
};

// A picture of the given size and depth with a palette (for 1, 4, 8 bits)
// and a pattern that uses every palette entry.
TestPicture MakePatternPicture(int32_t width, int32_t height, int bits);

// The bytes of a bottom-up Windows bitmap for the picture.
std::vector<uint8_t> EncodeBitmap(const TestPicture& picture);

bool WritePicture(const std::string& path, const TestPicture& picture);

uint16_t Get16(const std::vector<uint8_t>& bytes, size_t offset);
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset);

// A fresh folder under the temporary folder, emptied of the names used.
class TestFolder {
 public:
  explicit TestFolder(const char* name);
  ~TestFolder();
  // The path of a name in the folder, with that file and the converted
  // files beside it deleted first.
  std::string Path(const char* name);
  // The path of a name in the folder, nothing deleted.
  std::string Name(const char* name) const;

 private:
  std::string folder_;
  std::vector<std::string> used_;
};
