#include "menu/bitmap_restore.h"

#include <gtest/gtest.h>

#include "bitmap_test_pictures.h"
#include "menu/bitmap_8bit.h"
#include "menu/bitmap_checks.h"
#include "menu/bitmap_depth.h"
#include "menu/document.h"
#include "platform/file_times.h"
#include "platform/files.h"

namespace {

const int64_t kConvertedTime = 1200000000;  // 2008-01-10

class Restore : public ::testing::Test {
 protected:
  void SetUp() override { TheDocument.MenuScreenSize = {640, 480}; }
  TestFolder folder{"tw_bitmap_restore"};
};

TEST_F(Restore, EightBitBitmapComesBackBottomUpWithSixBitColoursTimesFour) {
  TestPicture p = MakePatternPicture(640, 480, 8);
  p.palette[3] = {255, 254, 1};
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 0));
  std::string converted = folder.Name("back.BM1");
  SetFileTimes(converted.c_str(), kConvertedTime);
  ASSERT_TRUE(DeleteFileAt(path.c_str()));

  ASSERT_EQ(kBitmapDone, RestoreBitmapFromBM1(path.c_str()));
  std::vector<uint8_t> out = ReadBytes(path);
  ASSERT_EQ(1078u + 640 * 480, out.size());
  EXPECT_EQ(0x54, Get16(out, 6));
  EXPECT_EQ(0x77, Get16(out, 8));
  EXPECT_EQ(252, out[54 + 4 * 3 + 2]);  // 255 -> 63 -> 252
  EXPECT_EQ(252, out[54 + 4 * 3 + 1]);
  EXPECT_EQ(0, out[54 + 4 * 3]);
  for (size_t o = 54; o < 1078; ++o) ASSERT_EQ(0, out[o] % 4);
  for (int32_t y = 0; y < 480; y += 3) {
    for (int32_t x = 0; x < 640; ++x) ASSERT_EQ(p.at(x, y), out[1078 + (479 - y) * 640 + x]);
  }
  EXPECT_EQ(kConvertedTime, GetFileModifiedTime(path.c_str()));

  // An existing bitmap is never touched.
  std::vector<uint8_t> before = ReadBytes(path);
  ASSERT_TRUE(WriteBytes(converted, std::vector<uint8_t>(10, 0)));
  EXPECT_EQ(kBitmapDone, RestoreBitmapFromBM1(path.c_str()));
  EXPECT_EQ(before, ReadBytes(path));
}

TEST_F(Restore, TwentyFourBitBackgroundComesBackPixelForPixel) {
  TestPicture p = MakePatternPicture(640, 480, 24);
  std::string path = folder.Path("back.bmp");
  std::vector<uint8_t> source = EncodeBitmap(p);
  ASSERT_TRUE(WriteBytes(path, source));
  ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
  SetFileTimes(folder.Name("back.BM3").c_str(), kConvertedTime);
  ASSERT_TRUE(DeleteFileAt(path.c_str()));
  ASSERT_EQ(kBitmapDone, RestoreBackgroundFrom24Bit(path.c_str()));
  std::vector<uint8_t> out = ReadBytes(path);
  ASSERT_EQ(54u + 640 * 480 * 3, out.size());
  EXPECT_EQ(0x54, Get16(out, 6));
  EXPECT_EQ(54u, Get32(out, 10));
  EXPECT_EQ(24, Get16(out, 28));
  EXPECT_EQ(out.size(), Get32(out, 2));
  EXPECT_TRUE(std::equal(source.begin() + 54, source.end(), out.begin() + 54));
  EXPECT_EQ(kConvertedTime, GetFileModifiedTime(path.c_str()));
}

TEST_F(Restore, FifteenBitBackgroundIsAStandardSixteenBitBitmap) {
  TestPicture p = MakePatternPicture(640, 480, 16);
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  ASSERT_EQ(kBitmapDone, ConvertImageTo15Bit(path.c_str()));
  ASSERT_TRUE(DeleteFileAt(path.c_str()));
  ASSERT_EQ(kBitmapDone, RestoreBackgroundFrom15Bit(path.c_str()));
  std::vector<uint8_t> out = ReadBytes(path);
  ASSERT_EQ(54u + 640 * 480 * 2, out.size());
  EXPECT_EQ(16, Get16(out, 28));
  for (int32_t y = 0; y < 480; y += 3) {
    for (int32_t x = 0; x < 640; ++x) {
      ASSERT_EQ(p.at(x, y) & 0x7FFF, Get16(out, 54 + ((479 - y) * 640 + x) * 2));
    }
  }
}

TEST_F(Restore, BrokenConvertedFilesLeaveNoBitmapBehind) {
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 24)));
  ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo15Bit(path.c_str()));
  ASSERT_TRUE(DeleteFileAt(path.c_str()));
  std::string bm3 = folder.Name("back.BM3");
  std::vector<uint8_t> bytes = ReadBytes(bm3);
  bytes.resize(bytes.size() - 1);
  ASSERT_TRUE(WriteBytes(bm3, bytes));
  EXPECT_EQ(kBitmapDataError, RestoreBackgroundFrom24Bit(path.c_str()));
  EXPECT_FALSE(PathExists(path.c_str()));
  // The size is checked against the screen of now.
  TheDocument.MenuScreenSize = {800, 600};
  EXPECT_EQ(kBitmapSizeError, RestoreBackgroundFrom15Bit(path.c_str()));
  EXPECT_FALSE(PathExists(path.c_str()));
  EXPECT_EQ(kBitmapOpenError, RestoreBitmapFromBM1(path.c_str()));  // no ".BM1"
  EXPECT_EQ(kBitmapOpenError, RestoreBackgroundFrom24Bit(""));
}

TEST_F(Restore, RestoreBootImageUsesTheConvertedFileOfTheColourMode) {
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 4)));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 1));
  ASSERT_EQ(kBitmapDone, ConvertImageTo15Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
  struct Case {
    int mode;
    int64_t size;
  } cases[] = {{kColors256, 1078 + 640 * 480}, {kColors64K, 54 + 640 * 480 * 2},
               {kColors16M, 54 + 640 * 480 * 3}, {kColors16, -1}};
  for (const Case& c : cases) {
    ASSERT_TRUE(DeleteFileAt(path.c_str()) || !PathExists(path.c_str()));
    TheDocument.ColorMode = (uint8_t)c.mode;
    RestoreBootImage(path.c_str());
    EXPECT_EQ(c.size, GetFileSize64(path.c_str())) << c.mode;
  }
}

TEST(FileTimes, SetFileTimesSetsTheModificationTimeAndIgnoresMissingFiles) {
  TestFolder folder("tw_file_times");
  std::string path = folder.Path("stamp.txt");
  ASSERT_TRUE(WriteBytes(path, {1, 2, 3}));
  SetFileTimes(path.c_str(), kConvertedTime);
  EXPECT_EQ(kConvertedTime, GetFileModifiedTime(path.c_str()));
  SetFileTimes(folder.Name("missing.txt").c_str(), kConvertedTime);
  EXPECT_FALSE(PathExists(folder.Name("missing.txt").c_str()));
}

}  // namespace
