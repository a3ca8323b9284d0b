#include "menu/bitmap_8bit.h"

#include <gtest/gtest.h>

#include "bitmap_test_pictures.h"
#include "menu/document.h"
#include "platform/files.h"

namespace {

const uint32_t kTableColors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

TestColor TableColor(int k) {
  uint32_t v = kTableColors[k];
  return {(uint8_t)v, (uint8_t)(v >> 8), (uint8_t)(v >> 16)};
}

class EightBit : public ::testing::Test {
 protected:
  void SetUp() override {
    TheDocument.MenuScreenSize = {640, 480};
    SetPaletteReference(kTableColors);
  }
  TestFolder folder{"tw_bitmap_8bit"};
};

// Palette entry k of a ".BM1" file as 6-bit red, green, blue.
TestColor ConvertedEntry(const std::vector<uint8_t>& file, int k) {
  size_t o = 54 + 4 * (size_t)k;
  return {file[o + 2], file[o + 1], file[o]};
}

bool SameAsSixBits(const TestColor& six, const TestColor& full) {
  return six.red == full.red >> 2 && six.green == full.green >> 2 && six.blue == full.blue >> 2;
}

TEST_F(EightBit, ConvertedFileHasItsFixedLayoutAndTheTopRowFirst) {
  TestPicture picture = MakePatternPicture(640, 480, 8);
  std::string path = folder.Path("logo.bmp");
  ASSERT_TRUE(WritePicture(path, picture));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 0));
  std::vector<uint8_t> out = ReadBytes(folder.Name("logo.BM1"));
  ASSERT_EQ(2048u + 640 * 480, out.size());
  EXPECT_EQ('T', out[0]);
  EXPECT_EQ('W', out[1]);
  EXPECT_EQ(2048u + 640 * 480, Get32(out, 2));
  EXPECT_EQ(0u, Get32(out, 6));
  EXPECT_EQ(2048u, Get32(out, 10));
  EXPECT_EQ(40u, Get32(out, 14));
  EXPECT_EQ(640u, Get32(out, 18));
  EXPECT_EQ(480u, Get32(out, 22));
  EXPECT_EQ(1, Get16(out, 26));
  EXPECT_EQ(8, Get16(out, 28));
  EXPECT_EQ(640u * 480, Get32(out, 34));
  for (size_t o = 38; o < 54; ++o) EXPECT_EQ(0, out[o]);
  for (size_t o = 1078; o < 2048; ++o) ASSERT_EQ(0, out[o]);
  // A logo keeps its own palette in order, in 6-bit components.
  for (int k = 0; k < 256; ++k) ASSERT_TRUE(SameAsSixBits(ConvertedEntry(out, k), picture.palette[k]));
  EXPECT_EQ(picture.at(0, 0), out[2048]);
  EXPECT_EQ(picture.at(639, 0), out[2048 + 639]);
  EXPECT_EQ(picture.at(5, 479), out[2048 + 479 * 640 + 5]);
}

TEST_F(EightBit, SixteenColourPictureGetsTheTableFirstAndItsColoursFrom16) {
  TestPicture picture = MakePatternPicture(640, 480, 4);
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, picture));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 1));
  std::vector<uint8_t> out = ReadBytes(folder.Name("back.BM1"));
  ASSERT_EQ(2048u + 640 * 480, out.size());
  for (int k = 0; k < 16; ++k) EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, k), TableColor(k)));
  for (int k = 0; k < 16; ++k) EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 16 + k), picture.palette[k]));
  for (int k = 32; k < 256; ++k) EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, k), {0, 0, 0}));
  EXPECT_EQ(16 + picture.at(3, 0), out[2048 + 3]);
  EXPECT_EQ(16 + picture.at(7, 100), out[2048 + 100 * 640 + 7]);
}

// 8-bit background: table colours plus 20 others, the others used 1000 + i
// times each, so entry 16 + i must be colour i; the unused source colours
// follow in source index order.
TEST_F(EightBit, BackgroundPaletteIsTheTableThenTheColoursByUse) {
  TestPicture picture = MakePatternPicture(640, 480, 8);
  for (int k = 0; k < 256; ++k) picture.palette[k] = {(uint8_t)k, (uint8_t)(255 - k), 77};
  for (int k = 0; k < 16; ++k) picture.palette[100 + k] = TableColor(k);
  size_t n = 0;
  for (uint32_t& px : picture.pixels) px = 100 + (uint32_t)(n++ % 16);  // table colours
  n = 0;
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 1000 + i * 10; ++j) picture.pixels[n++] = 200 + i;
  }
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, picture));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 1));
  std::vector<uint8_t> out = ReadBytes(folder.Name("back.BM1"));
  ASSERT_EQ(2048u + 640 * 480, out.size());
  for (int k = 0; k < 16; ++k) EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, k), TableColor(k)));
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 16 + i), picture.palette[219 - i])) << i;
  }
  // Unused colours in source order, skipping the 20 used and the table copies.
  EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 36), picture.palette[0]));
  EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 36 + 99), picture.palette[99]));
  EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 36 + 100), picture.palette[116]));
  // A table colour stored at a high index maps to its table entry.
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    uint32_t src = picture.pixels[i];
    size_t y = i / 640, x = i % 640;
    uint8_t got = out[2048 + y * 640 + x];
    if (src >= 100 && src < 116) {
      ASSERT_EQ(src - 100, got);
    } else {
      ASSERT_EQ(16 + (219 - src), got);
    }
  }
}

TEST_F(EightBit, RareColoursBeyond240TakeTheirNearestEntry) {
  TestPicture picture = MakePatternPicture(640, 480, 8);
  // 256 different colours, none in the table; index k used 256 - k times
  // more often than the next, so the least used 16 cannot get an entry.
  for (int k = 0; k < 256; ++k) picture.palette[k] = {(uint8_t)k, 100, 50};
  for (uint32_t& px : picture.pixels) px = 0;
  size_t n = 0;
  for (int k = 0; k < 256; ++k) {
    for (int j = 0; j < 300 - k; ++j) picture.pixels[n++] = (uint32_t)k;
  }
  std::string path = folder.Path("back.bmp");
  ASSERT_TRUE(WritePicture(path, picture));
  ASSERT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 1));
  std::vector<uint8_t> out = ReadBytes(folder.Name("back.BM1"));
  ASSERT_EQ(2048u + 640 * 480, out.size());
  EXPECT_TRUE(SameAsSixBits(ConvertedEntry(out, 255), picture.palette[239]));
  // Colour 250 is nearest to colour 239 (entry 255), the closest kept one.
  size_t pixel250 = 0;
  while (picture.pixels[pixel250] != 250) ++pixel250;
  EXPECT_EQ(255, out[2048 + (pixel250 / 640) * 640 + pixel250 % 640]);
}

TEST_F(EightBit, RefusesWrongSizeDepthAndCompressionAndLeavesNoOutput) {
  std::string path = folder.Path("pic.bmp");
  std::string out = folder.Path("pic.BM1");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(320, 200, 8)));
  EXPECT_EQ(kBitmapSizeError, ConvertImageTo8Bit(path.c_str(), 0));
  EXPECT_FALSE(PathExists(out.c_str()));
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 24)));
  EXPECT_EQ(kBitmapFormatError, ConvertImageTo8Bit(path.c_str(), 1));
  TestPicture rle = MakePatternPicture(640, 480, 8);
  rle.compression = 1;
  ASSERT_TRUE(WritePicture(path, rle));
  EXPECT_EQ(kBitmapFormatError, ConvertImageTo8Bit(path.c_str(), 1));
  EXPECT_FALSE(PathExists(out.c_str()));
  EXPECT_EQ(kBitmapOpenError, ConvertImageTo8Bit("", 1));
  EXPECT_EQ(kBitmapOpenError, ConvertImageTo8Bit(folder.Path("missing.bmp").c_str(), 1));
}

TEST_F(EightBit, TruncatedPicturesGiveReadErrorsAndNoPartialFile) {
  std::string path = folder.Path("cut.bmp");
  std::string out = folder.Path("cut.BM1");
  std::vector<uint8_t> whole = EncodeBitmap(MakePatternPicture(640, 480, 8));
  for (size_t size : {whole.size() - 1, (size_t)1078 + 640 * 10, (size_t)300}) {
    ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + size)));
    for (int reduce = 0; reduce < 2; ++reduce) {
      EXPECT_EQ(kBitmapDataError, ConvertImageTo8Bit(path.c_str(), reduce)) << size;
      EXPECT_FALSE(PathExists(out.c_str()));
    }
  }
  for (size_t size : {(size_t)0, (size_t)13, (size_t)20, (size_t)53}) {
    ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + size)));
    EXPECT_EQ(kBitmapHeaderError, ConvertImageTo8Bit(path.c_str(), 1)) << size;
  }
  std::vector<uint8_t> notBitmap = whole;
  notBitmap[0] = 'X';
  ASSERT_TRUE(WriteBytes(path, notBitmap));
  EXPECT_EQ(kBitmapFormatError, ConvertImageTo8Bit(path.c_str(), 1));
}

TEST_F(EightBit, OversizedFieldsAreRefusedWithoutReadingPastTheFile) {
  std::string path = folder.Path("big.bmp");
  std::vector<uint8_t> bytes = EncodeBitmap(MakePatternPicture(640, 480, 8));
  std::vector<uint8_t> farOffset = bytes;
  for (int i = 10; i < 14; ++i) farOffset[i] = 0xFF;  // pixel data offset 4 GB - 1
  ASSERT_TRUE(WriteBytes(path, farOffset));
  EXPECT_EQ(kBitmapDataError, ConvertImageTo8Bit(path.c_str(), 1));
  std::vector<uint8_t> topDown = bytes;
  for (int i = 22; i < 26; ++i) topDown[i] = 0xFF;  // height -1
  ASSERT_TRUE(WriteBytes(path, topDown));
  EXPECT_EQ(kBitmapSizeError, ConvertImageTo8Bit(path.c_str(), 1));
  // A screen wider than any row buffer is refused, not read.
  TheDocument.MenuScreenSize = {100000, 480};
  std::vector<uint8_t> wide = bytes;
  wide[18] = 0xA0, wide[19] = 0x86, wide[20] = 0x01;  // width 100000
  ASSERT_TRUE(WriteBytes(path, wide));
  EXPECT_EQ(kBitmapSizeError, ConvertImageTo8Bit(path.c_str(), 1));
}

TEST_F(EightBit, SourceNamedLikeItsConvertedFileIsNotOverwritten) {
  std::string path = folder.Path("odd.bm1");
  std::vector<uint8_t> bytes = EncodeBitmap(MakePatternPicture(640, 480, 8));
  ASSERT_TRUE(WriteBytes(path, bytes));
  EXPECT_EQ(kBitmapOpenError, ConvertImageTo8Bit(path.c_str(), 1));
  EXPECT_EQ(bytes, ReadBytes(path));
}

TEST_F(EightBit, NameWithoutExtensionGetsOneAppended) {
  std::string path = folder.Path("plain");
  ASSERT_TRUE(WritePicture(path, MakePatternPicture(640, 480, 1)));
  EXPECT_EQ(kBitmapDone, ConvertImageTo8Bit(path.c_str(), 1));
  EXPECT_EQ(2048 + 640 * 480, GetFileSize64(folder.Name("plain.BM1").c_str()));
}

}  // namespace
