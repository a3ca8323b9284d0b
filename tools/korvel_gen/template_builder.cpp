#include "tools/korvel_gen/template_builder.h"

#include <cstdio>
#include <cstring>

#include "menu/korvel_template.h"
#include "platform/byte_order.h"
#include "tools/korvel_gen/template_fonts.h"

namespace {

// The placeholder boot program, assembled from loader_boot.asm.
const uint8_t kLoaderBoot[] = {
#include "tools/korvel_gen/loader_boot_bytes.inc"
};
static_assert(sizeof(kLoaderBoot) == kLoaderBootSize, "loader.bin must be 2,048 bytes");

// Where the loader images carry their LoaderSignatureHeader: the first of
// the positions the menu file reader probes.
const uint32_t kSignatureHeaderOffset = 96;
// The kvldr's 10-byte password field (uint16 length, 8 bytes), just behind
// its SecondLoaderHeader.
const uint32_t kSecondPasswordField = 3072;
const uint32_t kNoticeOffset = 0x100;

void PutText(uint8_t* p, const char* text) { memcpy(p, text, strlen(text)); }

void PutFont(std::vector<uint8_t>& t, uint32_t offset, TemplateFont font) {
  DrawTemplateFont(font, &t[offset]);
}

void PutSecondLoader(uint8_t* kvldr) {
  PutText(kvldr, "kvldr: Tarnwick placeholder second loader. "
                 "The korvel menu loader is not included.\r\n");
  uint8_t* header = kvldr + kSecondHeaderOffset;
  PutText(header, kSecondSignature);
  put16le(header + kSecondPasswordPointer, kSecondPasswordField);
}

// Loader image i: the LoaderSignatureHeader (signature, version 1, data base
// 0x7800, the image's index, mode byte and screen size) and a notice; the
// data area from 0x7800 on is left zero for the menu file writer.
void PutLoaderImage(uint8_t* image, int index) {
  static const uint8_t kModes[kLoaderImageCount] = {0x00, 0x01, 0x02, 0x03, 0x10,
                                                    0x11, 0x12, 0x20, 0x21, 0x22};
  static const char* const kDepths[4] = {"256 colours", "64K colours", "16M colours",
                                         "16 colours"};
  const uint8_t mode = kModes[index];
  const int width = mode >> 4 == 2 ? 1024 : mode >> 4 == 1 ? 800 : 640;
  const int height = mode >> 4 == 2 ? 768 : mode >> 4 == 1 ? 600 : 480;
  uint8_t* header = image + kSignatureHeaderOffset;
  PutText(header, kLoaderSignature);
  put16le(header + 4, 1);
  put16le(header + kLoaderDataBaseField, kStandardDataBase);
  header[8] = uint8_t(index);
  header[9] = mode;
  put16le(header + 10, uint32_t(width));
  put16le(header + 12, uint32_t(height));
  char notice[160];
  snprintf(notice, sizeof notice,
           "korvel loader image %d (%dx%d, %s): Tarnwick placeholder. "
           "The korvel menu loader is not included.\r\n",
           index, width, height, kDepths[mode & 3]);
  PutText(image + kNoticeOffset, notice);
}

}  // namespace

std::vector<uint8_t> BuildKorvelTemplate() {
  std::vector<uint8_t> t(kTemplateMinSize, 0);
  PutFont(t, kFallbackFontOffset, TemplateFont::Fallback);
  memcpy(&t[kLoaderBootOffset], kLoaderBoot, kLoaderBootSize);
  PutSecondLoader(&t[kSecondLoaderOffset]);
  for (int i = 0; i < kLoaderImageCount; ++i) PutLoaderImage(&t[kLoaderVariantOffsets[i]], i);
  PutFont(t, kBootFontOffset, TemplateFont::Boot);
  PutFont(t, kCentralEuropeanFontOffset, TemplateFont::CentralEuropean);
  PutFont(t, kCyrillicFontOffset, TemplateFont::Cyrillic);
  PutFont(t, kBalticFontOffset, TemplateFont::Baltic);
  PutFont(t, kGreekFontOffset, TemplateFont::Greek);
  PutFont(t, kHebrewFontOffset, TemplateFont::Hebrew);
  PutFont(t, kTurkishFontOffset, TemplateFont::Turkish);
  PutFont(t, kArabicFontOffset, TemplateFont::Arabic);
  return t;
}
