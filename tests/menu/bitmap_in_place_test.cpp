#include "menu/bitmap_in_place.h"

#include <gtest/gtest.h>

#include "bitmap_test_pictures.h"
#include "menu/bitmap_8bit.h"
#include "menu/document.h"
#include "platform/file_times.h"
#include "platform/files.h"

namespace {

const uint32_t kTableColors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
const int64_t kOldTime = 1000000000;  // 2001-09-09

class InPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    TheDocument.MenuScreenSize = {640, 480};
    SetPaletteReference(kTableColors);
  }
  TestFolder folder{"tw_bitmap_in_place"};
};

TEST_F(InPlace, FourBitBackgroundBecomesAMarkedEightBitBitmapWithItsTime) {
  TestPicture p = MakePatternPicture(640, 480, 4);
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  SetFileTimes(path.c_str(), kOldTime);
  ASSERT_EQ(kBitmapDone, ConvertBitmapInPlace(path.c_str()));
  std::vector<uint8_t> out = ReadBytes(path);
  ASSERT_EQ(1078u + 640 * 480, out.size());
  EXPECT_EQ('B', out[0]);
  EXPECT_EQ('M', out[1]);
  EXPECT_EQ(out.size(), Get32(out, 2));
  EXPECT_EQ(0x54, Get16(out, 6));
  EXPECT_EQ(0x77, Get16(out, 8));
  EXPECT_EQ(1078u, Get32(out, 10));
  EXPECT_EQ(8, Get16(out, 28));
  // Entries 0..15 are the table, the picture's own colours follow.
  EXPECT_EQ(0xFF, out[54 + 4 * 9 + 2]);    // entry 9 red component
  EXPECT_EQ(0x00, out[54 + 4 * 9 + 1]);
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(p.palette[k].blue, out[54 + 4 * (16 + k)]);
    EXPECT_EQ(p.palette[k].red, out[54 + 4 * (16 + k) + 2]);
  }
  // Rows keep their bottom-up order: file row 0 is the bottom screen row.
  EXPECT_EQ(16 + p.at(0, 479), out[1078]);
  EXPECT_EQ(16 + p.at(9, 0), out[1078 + 479 * 640 + 9]);
  EXPECT_EQ(kOldTime, GetFileModifiedTime(path.c_str()));
  EXPECT_FALSE(PathExists(folder.Name("back.BMI").c_str()));
}

TEST_F(InPlace, MarkedFileIsLeftAloneButStillCheckedForSize) {
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 8)));
  ASSERT_EQ(kBitmapDone, ConvertBitmapInPlace(path.c_str()));
  std::vector<uint8_t> once = ReadBytes(path);
  SetFileTimes(path.c_str(), kOldTime);
  ASSERT_EQ(kBitmapDone, ConvertBitmapInPlace(path.c_str()));
  EXPECT_EQ(once, ReadBytes(path));
  EXPECT_EQ(kOldTime, GetFileModifiedTime(path.c_str()));
  TheDocument.MenuScreenSize = {800, 600};
  EXPECT_EQ(kBitmapSizeError, ConvertBitmapInPlace(path.c_str()));
  EXPECT_EQ(once, ReadBytes(path));
}

TEST_F(InPlace, EightBitPixelsAndPaletteAreKept) {
  TestPicture p = MakePatternPicture(640, 480, 8);
  std::string path = folder.Path("back.bmp");
  std::vector<uint8_t> source = EncodeBitmap(p);
  ASSERT_TRUE(WriteBytes(path, source));
  ASSERT_EQ(kBitmapDone, ConvertBitmapInPlace(path.c_str()));
  std::vector<uint8_t> out = ReadBytes(path);
  ASSERT_EQ(source.size(), out.size());
  // Palette and pixels are the source's; only the headers differ.
  EXPECT_TRUE(std::equal(source.begin() + 54, source.end(), out.begin() + 54));
}

TEST_F(InPlace, FailureAfterTheTemporaryFileKeepsTheSourceAndRemovesTheTemporary) {
  std::string path = folder.Path("cut.bmp");
  std::vector<uint8_t> bytes = EncodeBitmap(MakePatternPicture(640, 480, 1));
  bytes.resize(bytes.size() - 10);
  ASSERT_TRUE(WriteBytes(path, bytes));
  EXPECT_EQ(kBitmapDataError, ConvertBitmapInPlace(path.c_str()));
  EXPECT_EQ(bytes, ReadBytes(path));
  EXPECT_FALSE(PathExists(folder.Name("cut.BMI").c_str()));
}

TEST_F(InPlace, RefusalsLeaveTheSourceUntouched) {
  std::string wrong = folder.Path("wrong.bmp");
  std::vector<uint8_t> bytes = EncodeBitmap(MakePatternPicture(640, 480, 24));
  ASSERT_TRUE(WriteBytes(wrong, bytes));
  EXPECT_EQ(kBitmapFormatError, ConvertBitmapInPlace(wrong.c_str()));
  EXPECT_EQ(bytes, ReadBytes(wrong));
  EXPECT_EQ(kBitmapOpenError, ConvertBitmapInPlace(""));

  // Header sizes the readers do not know (OS/2 2.x, core): the palette's
  // place is not known, so the picture is refused and not rewritten.
  for (uint32_t infoSize : {64u, 12u}) {
    TestPicture p = MakePatternPicture(640, 480, 8);
    p.infoSize = infoSize;
    bytes = EncodeBitmap(p);
    ASSERT_TRUE(WriteBytes(wrong, bytes));
    EXPECT_EQ(kBitmapFormatError, ConvertBitmapInPlace(wrong.c_str())) << infoSize;
    EXPECT_EQ(bytes, ReadBytes(wrong));
  }

  // A background named like the temporary file is never truncated.
  std::string odd = folder.Path("odd.bmi");
  bytes = EncodeBitmap(MakePatternPicture(640, 480, 4));
  ASSERT_TRUE(WriteBytes(odd, bytes));
  EXPECT_EQ(kBitmapOpenError, ConvertBitmapInPlace(odd.c_str()));
  EXPECT_EQ(bytes, ReadBytes(odd));
}

}  // namespace
