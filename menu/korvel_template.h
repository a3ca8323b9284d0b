#pragma once
// Map of the boot-loader template "korvel.dat": where the loader images,
// the two boot files and the fonts stand. The menu file writer copies from
// these offsets; tools/korvel_gen builds a template with exactly this map.
#include <cstdint>

const char kTemplateFileName[] = "korvel.dat";

const uint32_t kFontSize = 2048;                  // 256 glyphs of 8x8 pixels
const uint32_t kFallbackFontOffset = 0x00000;     // code-page font when no language matches
const uint32_t kLoaderBootOffset = 0x00800;       // "loader.bin"
const uint32_t kLoaderBootSize = 2048;
const uint32_t kSecondLoaderOffset = 0x01000;     // "kvldr"
const uint32_t kSecondLoaderSize = 8192;
const uint32_t kLoaderImageSize = 0x7900;         // one menu-file loader image
const int kLoaderImageCount = 10;
const uint32_t kLoaderVariantOffsets[kLoaderImageCount] = {
    0x3000, 0xA900, 0x12200, 0x19B00, 0x21400, 0x28D00, 0x30600, 0x37F00, 0x3F800, 0x47100};
const uint32_t kBootFontOffset = 0x4EA00;
// Code-page fonts.
const uint32_t kCentralEuropeanFontOffset = 0x4F200;
const uint32_t kCyrillicFontOffset = 0x4FA00;
const uint32_t kBalticFontOffset = 0x50200;
const uint32_t kGreekFontOffset = 0x50A00;
const uint32_t kHebrewFontOffset = 0x51200;
const uint32_t kTurkishFontOffset = 0x51A00;
const uint32_t kArabicFontOffset = 0x52200;
const uint32_t kTemplateMinSize = 0x52A00;

// Fields of "loader.bin".
const char kLoaderBootName[] = "loader.bin";
const uint32_t kBootMenuNameField = 309;          // 12 bytes
const uint32_t kBootPasswordField = 1141;         // uint16 length + 8 bytes
const uint32_t kBootFolderField = 1152;           // 8 bytes
const uint32_t kBootKeepKernel = 2043;
const uint32_t kBootModeByte = 2044;
const uint32_t kBootDefaultMenuOff = 2045;

// SecondLoaderHeader of "kvldr".
const uint32_t kSecondHeaderOffset = 3024;
const uint32_t kSecondHeaderSize = 46;
const char kSecondSignature[] = "-VRX";
const uint32_t kSecondPasswordPointer = 4;        // uint16 file offset of the password field
const uint32_t kSecondFolderField = 8;            // 8 bytes
const uint32_t kSecondMenuNameField = 17;         // 12 bytes
const uint32_t kSecondKeepKernel = 43;
const uint32_t kSecondModeByte = 44;
const uint32_t kSecondDefaultMenuOff = 45;

// LoaderSignatureHeader inside every loader image (and so every menu file).
const char kLoaderSignature[] = "-ZQK";
const uint32_t kLoaderSignatureSize = 14;
const uint32_t kLoaderDataBaseField = 6;          // uint16
const uint32_t kStandardDataBase = 0x7800;
