#pragma once
// Offsets and sizes of a menu file (.zqk): a loader image cut from the
// template, the menu's fixed blocks patched into it, the editor section and
// the loader's runtime tables behind. Offsets are those of a file whose
// loader image has the standard data base 0x7800; the reader moves them for
// another data base.
#include <cstdint>

#include "platform/byte_order.h"

const uint32_t kSettingsBlock = 0x7804;
const uint32_t kSettingsBlockSize = 7;
const uint32_t kWaitTimeByte = 0x780C;
const uint32_t kDefaultHotKeyByte = 0x780D;
const uint32_t kDarkestColorByte = 0x780E;
const uint32_t kBrightestColorByte = 0x780F;
const uint32_t kLogoBlock = 0x7817;
const uint32_t kLogoBlockSize = 25;
const uint32_t kSectionTable = 0x7830;
const uint32_t kSectionCount = 10;
const uint32_t kSectionTableSize = kSectionCount * 4;
const uint32_t kScreenBlock = 0x7858;
const uint32_t kScreenBlockSize = 31;
const uint32_t kSmoothVideoByte = 0x7877;
const uint32_t kFileSizeWord = 0x78FE;
const uint32_t kBootFontArea = 0x7900;
const uint32_t kMenuKeysArea = 0x8100;
const uint32_t kMenuGeometryArea = 0x8200;
const uint32_t kLayoutArea = 0x8400;
const uint32_t kEditorSection = 0x8800;

// The fixed lengths the section table gives the three item areas.
const uint32_t kMenuKeysAreaLength = 36 * 6;
const uint32_t kMenuGeometryAreaLength = 36 * 10;
const uint32_t kLayoutAreaLength = 36 * 11;

// Section table entries.
enum {
  kSectionMenuKeys = 0,
  kSectionMenuGeometry = 1,
  kSectionLayout = 2,
  kSectionEditor = 3,
  kSectionKeyTable = 4,
  kSectionMenuTexts = 5,
  kSectionBootFont = 6,
  kSectionCodePageFont = 7,
  kSectionPasswords = 8,
  kSectionTotal = 9,
};

// LogoBlock fields.
const uint32_t kLogoFolderName = 1;   // 9 bytes: 8 characters + NUL
const uint32_t kLogoOnByte = 10;
const uint32_t kLogoTimeByte = 11;
const uint32_t kLogoFileName = 12;    // 13 bytes: 12 characters + NUL
// ScreenBlock fields.
const uint32_t kCounterOnByte = 0;
const uint32_t kCounterY = 1;
const uint32_t kCounterX = 3;
const uint32_t kCounterColorsByte = 5;
const uint32_t kBackImageOnByte = 6;
const uint32_t kBackImageNameField = 7;  // 13 bytes
const uint32_t kProgressOnByte = 20;
const uint32_t kProgressX = 21;
const uint32_t kProgressY = 23;
const uint32_t kProgressWidth = 25;
const uint32_t kProgressHeight = 27;
const uint32_t kProgressColorsByte = 29;
const uint32_t kProgressEdgeColorByte = 30;

// The editor section's markers: the current one and the older generation's.
const char kEditorMarker[] = "tW";
const char kOldEditorMarker[] = "Tq";
const uint32_t kColorEntrySize = 36;

// The largest file the 16-bit section table and FileSizeWord can describe.
const uint32_t kMaxMenuFileSize = 0xFFFF;
