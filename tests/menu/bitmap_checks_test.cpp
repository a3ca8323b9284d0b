#include "menu/bitmap_checks.h"

#include <gtest/gtest.h>

#include "bitmap_test_pictures.h"
#include "menu/bitmap_format.h"
#include "menu/document.h"
#include "platform/files.h"

namespace {

class Checks : public ::testing::Test {
 protected:
  void SetUp() override {
    TheDocument.MenuScreenSize = {640, 480};
    TheDocument.ColorMode = kColors16;
  }
  void TearDown() override { TheDocument.ColorMode = kColors256; }
  int Background(const TestPicture& p) {
    std::string path = folder.Path("back.bmp");
    EXPECT_TRUE(WritePicture(path, p));
    return CheckBootImage(path.c_str(), 1, 0);
  }
  int Logo(const TestPicture& p) {
    std::string path = folder.Path("logo.bmp");
    EXPECT_TRUE(WritePicture(path, p));
    return CheckBootImage(path.c_str(), 0, 1);
  }
  TestFolder folder{"tw_bitmap_checks"};
};

TEST_F(Checks, SixteenColourBackgroundNeedsAtMostFourBitsAtTheScreenSize) {
  EXPECT_EQ(kBitmapDone, Background(MakePatternPicture(640, 480, 4)));
  EXPECT_EQ(kBitmapDone, Background(MakePatternPicture(640, 480, 1)));
  EXPECT_EQ(kBitmapFormatError, Background(MakePatternPicture(640, 480, 8)));
  EXPECT_EQ(kBitmapSizeError, Background(MakePatternPicture(800, 600, 4)));
  EXPECT_EQ(kBitmapFormatError, Background(MakePatternPicture(640, 480, 24)));
  TestPicture rle = MakePatternPicture(640, 480, 4);
  rle.compression = 2;
  EXPECT_EQ(kBitmapFormatError, Background(rle));
  EXPECT_EQ(kBitmapOpenError, CheckBackgroundBitmap(""));
  EXPECT_EQ(kBitmapOpenError, CheckBackgroundBitmap(folder.Path("none.bmp").c_str()));
  // No converted file is made in this mode.
  EXPECT_FALSE(PathExists(folder.Name("back.BM1").c_str()));
}

TEST_F(Checks, SixteenColourLogoIsEightBitsAt320x200) {
  EXPECT_EQ(kBitmapDone, Logo(MakePatternPicture(320, 200, 8)));
  EXPECT_EQ(kBitmapFormatError, Logo(MakePatternPicture(320, 200, 4)));
  EXPECT_EQ(kBitmapSizeError, Logo(MakePatternPicture(640, 480, 8)));
}

TEST_F(Checks, TwoHundredFiftySixColourLogoMustHaveTheScreenSize) {
  TheDocument.ColorMode = kColors256;
  EXPECT_EQ(kBitmapSizeError, Logo(MakePatternPicture(320, 200, 8)));
  EXPECT_EQ(kBitmapDone, Logo(MakePatternPicture(640, 480, 8)));
  EXPECT_TRUE(FileExists(folder.Name("logo.BM1").c_str()));
}

TEST_F(Checks, TwoHundredFiftySixColourSaveTakesTheDocumentColours) {
  TheDocument.ColorMode = kColors256;
  uint32_t saved = TheDocument.CurrentColorTable[5].color;
  TheDocument.CurrentColorTable[5].color = 0x00123456;  // blue 0x12, green 0x34, red 0x56
  EXPECT_EQ(kBitmapDone, Background(MakePatternPicture(640, 480, 4)));
  TheDocument.CurrentColorTable[5].color = saved;
  std::vector<uint8_t> out = ReadBytes(folder.Name("back.BM1"));
  ASSERT_GT(out.size(), 80u);
  EXPECT_EQ(0x12 >> 2, out[54 + 4 * 5]);
  EXPECT_EQ(0x34 >> 2, out[54 + 4 * 5 + 1]);
  EXPECT_EQ(0x56 >> 2, out[54 + 4 * 5 + 2]);
}

TEST_F(Checks, PaletteOfAFourBitBitmapInItsOrder) {
  TestPicture p = MakePatternPicture(33, 7, 4);
  std::string path = folder.Path("pal.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  uint8_t rgb[48];
  ASSERT_EQ(kBitmapDone, ReadBitmapPalette16(path.c_str(), rgb));
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(p.palette[k].red, rgb[3 * k]);
    EXPECT_EQ(p.palette[k].green, rgb[3 * k + 1]);
    EXPECT_EQ(p.palette[k].blue, rgb[3 * k + 2]);
  }
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(33, 7, 8)));
  EXPECT_EQ(kBitmapFormatError, ReadBitmapPalette16(path.c_str(), rgb));
  std::vector<uint8_t> cut = EncodeBitmap(p);
  cut.resize(54 + 30);
  ASSERT_TRUE(WriteBytes(path, cut));
  EXPECT_EQ(kBitmapDataError, ReadBitmapPalette16(path.c_str(), rgb));
}

}  // namespace
