#include "menu/bitmap_depth.h"

#include <gtest/gtest.h>

#include "bitmap_test_pictures.h"
#include "menu/bitmap_checks.h"
#include "menu/document.h"
#include "platform/files.h"

namespace {

class DepthConverters : public ::testing::Test {
 protected:
  void SetUp() override { TheDocument.MenuScreenSize = {640, 480}; }
  TestFolder folder{"tw_bitmap_depth"};
};

// A 24-bit 640 x 480 picture whose top-left pixel is white and whose
// bottom-right pixel is 0x123456.
TestPicture WhiteCornerPicture() {
  TestPicture p = MakePatternPicture(640, 480, 24);
  p.at(0, 0) = 0xFFFFFF;
  p.at(639, 479) = 0x123456;
  return p;
}

uint16_t Pixel16(const std::vector<uint8_t>& file, int32_t width, int32_t x, int32_t y) {
  return Get16(file, 2048 + ((size_t)y * width + x) * 2);
}

TEST_F(DepthConverters, WhiteBecomesFFDFAnd7FFFAndBytesStayForTwentyFourBits) {
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, WhiteCornerPicture()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo16Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo15Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
  std::vector<uint8_t> bm2 = ReadBytes(folder.Name("back.BM2"));
  std::vector<uint8_t> b15 = ReadBytes(folder.Name("back.B15"));
  std::vector<uint8_t> bm3 = ReadBytes(folder.Name("back.BM3"));
  ASSERT_EQ(2048u + 640 * 480 * 2, bm2.size());
  ASSERT_EQ(2048u + 640 * 480 * 2, b15.size());
  ASSERT_EQ(2048u + 640 * 480 * 3, bm3.size());
  EXPECT_EQ(0xFFDF, Pixel16(bm2, 640, 0, 0));
  EXPECT_EQ(0x7FFF, Pixel16(b15, 640, 0, 0));
  // 0x12, 0x34, 0x56 >> 3 = 2, 6, 10.
  EXPECT_EQ((2 << 11) | (6 << 6) | 10, Pixel16(bm2, 640, 639, 479));
  EXPECT_EQ((2 << 10) | (6 << 5) | 10, Pixel16(b15, 640, 639, 479));
  size_t last = 2048 + (479 * 640 + 639) * 3;
  EXPECT_EQ(0x56, bm3[last]);
  EXPECT_EQ(0x34, bm3[last + 1]);
  EXPECT_EQ(0x12, bm3[last + 2]);
  for (const std::vector<uint8_t>* f : {&bm2, &b15, &bm3}) {
    EXPECT_EQ('T', (*f)[0]);
    EXPECT_EQ('W', (*f)[1]);
    EXPECT_EQ(f->size(), Get32(*f, 2));
    EXPECT_EQ(2048u, Get32(*f, 10));
    EXPECT_EQ(640u, Get32(*f, 18));
    EXPECT_EQ(480u, Get32(*f, 22));
    EXPECT_EQ(f->size() - 2048, Get32(*f, 34));
    for (size_t o = 54; o < 2048; ++o) ASSERT_EQ(0, (*f)[o]);
  }
  EXPECT_EQ(16, Get16(bm2, 28));
  EXPECT_EQ(24, Get16(bm3, 28));
}

TEST_F(DepthConverters, SixteenBitSourcePixelsAreRepacked) {
  TestPicture p = MakePatternPicture(1024, 768, 16);
  p.at(0, 0) = 0x7FFF;
  p.at(1, 0) = 0xFFFF;  // bit 15 is ignored
  TheDocument.MenuScreenSize = {1024, 768};
  std::string path = folder.Path("big.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  ASSERT_EQ(kBitmapDone, ConvertImageTo16Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo15Bit(path.c_str()));
  ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
  std::vector<uint8_t> bm2 = ReadBytes(folder.Name("big.BM2"));
  std::vector<uint8_t> b15 = ReadBytes(folder.Name("big.B15"));
  std::vector<uint8_t> bm3 = ReadBytes(folder.Name("big.BM3"));
  ASSERT_EQ(2048u + 1024 * 768 * 3, bm3.size());
  EXPECT_EQ(0xFFDF, Pixel16(bm2, 1024, 0, 0));
  EXPECT_EQ(0xFFDF, Pixel16(bm2, 1024, 1, 0));
  EXPECT_EQ(0x7FFF, Pixel16(b15, 1024, 1, 0));
  EXPECT_EQ(248, bm3[2048]);
  EXPECT_EQ(248, bm3[2049]);
  EXPECT_EQ(248, bm3[2050]);
  // Every pixel, including those with bit 15 set.
  for (int32_t y = 0; y < 768; y += 7) {
    for (int32_t x = 0; x < 1024; x += 3) {
      uint32_t v = p.at(x, y);
      uint32_t r5 = (v >> 10) & 31, g5 = (v >> 5) & 31, b5 = v & 31;
      ASSERT_EQ(r5 << 11 | g5 << 6 | b5, Pixel16(bm2, 1024, x, y));
      ASSERT_EQ(v & 0x7FFF, Pixel16(b15, 1024, x, y));
      size_t o = 2048 + ((size_t)y * 1024 + x) * 3;
      ASSERT_EQ(b5 << 3, bm3[o]);
      ASSERT_EQ(r5 << 3, bm3[o + 2]);
    }
  }
}

TEST_F(DepthConverters, PaletteSourcesGoThroughTheirOwnColourTable) {
  for (int bits : {1, 4, 8}) {
    TestPicture p = MakePatternPicture(800, 600, bits);
    TheDocument.MenuScreenSize = {800, 600};
    std::string path = folder.Path("pal.bmp");
    ASSERT_TRUE(WritePicture(path, p));
    ASSERT_EQ(kBitmapDone, ConvertImageTo16Bit(path.c_str()));
    ASSERT_EQ(kBitmapDone, ConvertImageTo24Bit(path.c_str()));
    std::vector<uint8_t> bm2 = ReadBytes(folder.Name("pal.BM2"));
    std::vector<uint8_t> bm3 = ReadBytes(folder.Name("pal.BM3"));
    ASSERT_EQ(2048u + 800 * 600 * 2, bm2.size());
    for (int32_t y = 0; y < 600; y += 5) {
      for (int32_t x = 0; x < 800; ++x) {
        const TestColor& c = p.palette[p.at(x, y)];
        ASSERT_EQ((c.red >> 3) << 11 | (c.green >> 3) << 6 | c.blue >> 3, Pixel16(bm2, 800, x, y))
            << bits << " " << x << "," << y;
        size_t o = 2048 + ((size_t)y * 800 + x) * 3;
        ASSERT_EQ(c.blue, bm3[o]);
        ASSERT_EQ(c.green, bm3[o + 1]);
        ASSERT_EQ(c.red, bm3[o + 2]);
      }
    }
  }
}

TEST_F(DepthConverters, EveryHeaderProblemIsASizeErrorAndLeavesNoOutput) {
  std::string path = folder.Path("bad.bmp");
  TestPicture rle = MakePatternPicture(640, 480, 8);
  rle.compression = 1;
  std::vector<std::vector<uint8_t>> sources = {
      EncodeBitmap(MakePatternPicture(640, 480, 32)),
      EncodeBitmap(rle),
      EncodeBitmap(MakePatternPicture(800, 600, 24)),
      std::vector<uint8_t>(20, 'B'),
  };
  for (const std::vector<uint8_t>& bytes : sources) {
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_EQ(kBitmapSizeError, ConvertImageTo16Bit(path.c_str()));
    EXPECT_EQ(kBitmapSizeError, ConvertImageTo15Bit(path.c_str()));
    EXPECT_EQ(kBitmapSizeError, ConvertImageTo24Bit(path.c_str()));
    for (const char* name : {"bad.BM2", "bad.B15", "bad.BM3"}) {
      EXPECT_FALSE(PathExists(folder.Name(name).c_str())) << name;
    }
  }
  EXPECT_EQ(kBitmapOpenError, ConvertImageTo24Bit(""));
  EXPECT_EQ(kBitmapOpenError, ConvertImageTo16Bit(folder.Path("none.bmp").c_str()));
}

TEST_F(DepthConverters, TruncatedRowsGiveReadErrorAndRemoveTheOutput) {
  std::string path = folder.Path("cut.bmp");
  std::vector<uint8_t> bytes = EncodeBitmap(MakePatternPicture(640, 480, 24));
  bytes.resize(bytes.size() - 100);
  ASSERT_TRUE(WriteBytes(path, bytes));
  EXPECT_EQ(kBitmapDataError, ConvertImageTo24Bit(path.c_str()));
  EXPECT_FALSE(PathExists(folder.Name("cut.BM3").c_str()));
}

TEST_F(DepthConverters, SixtyFourKModeWritesNoFifteenBitFileWhenSixteenBitFails) {
  TheDocument.ColorMode = kColors64K;
  std::string path = folder.Path("logo.bmp");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(320, 200, 8)));
  EXPECT_EQ(kBitmapSizeError, CheckBootImage(path.c_str(), 0, 1));
  EXPECT_FALSE(PathExists(folder.Name("logo.B15").c_str()));
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 8)));
  EXPECT_EQ(kBitmapDone, CheckBootImage(path.c_str(), 0, 1));
  EXPECT_TRUE(FileExists(folder.Name("logo.BM2").c_str()));
  EXPECT_TRUE(FileExists(folder.Name("logo.B15").c_str()));
  TheDocument.ColorMode = kColors16M;
  EXPECT_EQ(kBitmapDone, CheckBootImage(path.c_str(), 1, 0));
  EXPECT_EQ(2048 + 640 * 480 * 3, GetFileSize64(folder.Name("logo.BM3").c_str()));
}

}  // namespace
