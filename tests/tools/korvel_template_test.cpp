// The generated boot-loader template: its size, its map, and the fields of
// the boot files and loader images that the menu file writer and reader use.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menu/korvel_template.h"
#include "platform/byte_order.h"
#include "platform/files.h"
#include "tests/file_bytes.h"

namespace {

std::vector<uint8_t> ReadTemplate() {
  const char* dir = getenv("TW_BINARY_DIR");
  std::vector<uint8_t> data;
  if (!dir) return data;
  char path[1024];
  if (!JoinPath(path, sizeof path, dir, kTemplateFileName)) return data;
  return ReadBytes(path);
}

class KorvelTemplate : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { data_ = new std::vector<uint8_t>(ReadTemplate()); }
  static void TearDownTestSuite() { delete data_; }
  const uint8_t* at(uint32_t offset) { return data_->data() + offset; }
  static std::vector<uint8_t>* data_;
};
std::vector<uint8_t>* KorvelTemplate::data_ = nullptr;

TEST_F(KorvelTemplate, HasExactlyTheMappedSize) {
  ASSERT_EQ(data_->size(), kTemplateMinSize);
}

TEST_F(KorvelTemplate, LoaderBootIsANoEmulationBootProgramWithItsFieldsFree) {
  ASSERT_EQ(data_->size(), kTemplateMinSize);
  const uint8_t* boot = at(kLoaderBootOffset);
  EXPECT_EQ(boot[2046], 0x55);
  EXPECT_EQ(boot[2047], 0xAA);
  EXPECT_EQ(boot[0], 0xEB);  // a short jump over the boot information area
  // The patched fields start empty; the writer fills them.
  for (uint32_t i = 0; i < 12; ++i) EXPECT_EQ(boot[kBootMenuNameField + i], 0) << i;
  for (uint32_t i = 0; i < 19; ++i) EXPECT_EQ(boot[kBootPasswordField + i], 0) << i;
  for (uint32_t i = 2043; i < 2046; ++i) EXPECT_EQ(boot[i], 0) << i;
  const std::string text(reinterpret_cast<const char*>(boot), kLoaderBootSize);
  EXPECT_NE(text.find("The korvel menu loader is not included"), std::string::npos);
}

TEST_F(KorvelTemplate, SecondLoaderHeaderPointsAtARealPasswordField) {
  ASSERT_EQ(data_->size(), kTemplateMinSize);
  const uint8_t* kvldr = at(kSecondLoaderOffset);
  const uint8_t* header = kvldr + kSecondHeaderOffset;
  EXPECT_EQ(memcmp(header, kSecondSignature, 4), 0);
  const uint16_t password = get16le(header + kSecondPasswordPointer);
  // Ten bytes inside the file and clear of the header itself.
  EXPECT_GE(password, kSecondHeaderOffset + kSecondHeaderSize);
  EXPECT_LE(password + 10u, kSecondLoaderSize);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(kvldr[password + i], 0);
}

TEST_F(KorvelTemplate, EveryLoaderImageCarriesTheSignatureAndTheStandardDataBase) {
  ASSERT_EQ(data_->size(), kTemplateMinSize);
  for (int i = 0; i < kLoaderImageCount; ++i) {
    const uint8_t* image = at(kLoaderVariantOffsets[i]);
    EXPECT_EQ(memcmp(image + 96, kLoaderSignature, 4), 0) << i;
    EXPECT_EQ(get16le(image + 96 + kLoaderDataBaseField), kStandardDataBase) << i;
    EXPECT_EQ(image[96 + 8], i);
    // The data area behind 0x7800 is left to the writer.
    for (uint32_t k = 0x7800; k < kLoaderImageSize; ++k) {
      if (image[k] != 0) {
        ADD_FAILURE() << "image " << i << " byte " << k;
        break;
      }
    }
  }
  EXPECT_EQ(kLoaderVariantOffsets[9] + kLoaderImageSize, kBootFontOffset);
}

TEST_F(KorvelTemplate, FontsAreDistinctGlyphSetsWithTheSameAscii) {
  ASSERT_EQ(data_->size(), kTemplateMinSize);
  const uint32_t fonts[] = {kFallbackFontOffset, kBootFontOffset, kCentralEuropeanFontOffset,
                            kCyrillicFontOffset, kBalticFontOffset, kGreekFontOffset,
                            kHebrewFontOffset, kTurkishFontOffset, kArabicFontOffset};
  EXPECT_EQ(kArabicFontOffset + kFontSize, kTemplateMinSize);
  for (uint32_t a : fonts) {
    // Every printable ASCII glyph but the blank has pixels.
    for (int c = 0x21; c < 0x7F; ++c) {
      const uint8_t* g = at(a + c * 8);
      bool lit = false;
      for (int r = 0; r < 8; ++r) lit = lit || g[r] != 0;
      EXPECT_TRUE(lit) << "font 0x" << std::hex << a << " glyph " << c;
    }
    EXPECT_EQ(memcmp(at(a), at(kFallbackFontOffset), 128 * 8), 0);
    for (uint32_t b : fonts) {
      if (a < b) {
        EXPECT_NE(memcmp(at(a), at(b), kFontSize), 0) << std::hex << a << " " << b;
      }
    }
  }
}

}  // namespace
