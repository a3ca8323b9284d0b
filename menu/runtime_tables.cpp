#include "menu/runtime_tables.h"

#include <cstring>
#include <string>

#include "app/language.h"
#include "app/text_helpers.h"
#include "platform/system_lang.h"

const KeyNameRow kKeyNameTable[] = {
    {"esc", 0x001B},  {"bs", 0x0008},    {"tab", 0x0009},   {"entr", 0x000D},
    {"spc", 0x0020},  {"home", 0x4700},  {"up", 0x4800},    {"left", 0x4B00},
    {"pgup", 0x4900}, {"right", 0x4D00}, {"end", 0x4F00},   {"down", 0x5000},
    {"pgdn", 0x5100}, {"ins", 0x5200},   {"del", 0x5300},   {"f1", 0x3B00},
    {"f2", 0x3C00},   {"f3", 0x3D00},    {"f4", 0x3E00},    {"f5", 0x3F00},
    {"f6", 0x4000},   {"f7", 0x4100},    {"f8", 0x4200},    {"f9", 0x4300},
    {"f10", 0x4400},  {"f11", 0x8500},   {"f12", 0x8600},   {"sf1", 0x5400},
    {"sf2", 0x5500},  {"sf3", 0x5600},   {"sf4", 0x5700},   {"sf5", 0x5800},
    {"sf6", 0x5900},  {"sf7", 0x5A00},   {"sf8", 0x5B00},   {"sf9", 0x5C00},
    {"sf10", 0x5D00}, {"sf11", 0x8700},  {"sf12", 0x8800},  {"af1", 0x6800},
    {"af2", 0x6900},  {"af3", 0x6A00},   {"af4", 0x6B00},   {"af5", 0x6C00},
    {"af6", 0x6D00},  {"af7", 0x6E00},   {"af8", 0x6F00},   {"af9", 0x7000},
    {"af10", 0x7100}, {"af11", 0x8B00},  {"af12", 0x8C00},
};
const int kKeyNameTableRows = sizeof kKeyNameTable / sizeof kKeyNameTable[0];
static_assert(sizeof kKeyNameTable / sizeof kKeyNameTable[0] == 51, "51 key names");

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c + ('a' - 'A')) : c; }

static bool EqualIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; a++, b++) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  }
  return *a == *b;
}

uint16_t KeyNameToScanCode(const char* token) {
  if (!token) return kNoScanCode;
  if (token[0] && !token[1]) return (uint16_t)(int16_t)(signed char)token[0];
  for (int row = 0; row < kKeyNameTableRows; row++) {
    if (EqualIgnoringCase(token, kKeyNameTable[row].token)) return kKeyNameTable[row].code;
  }
  return kNoScanCode;
}

enum { kCharacterCellWidth = 8 };

uint16_t AlignedTextColumn(const TextItemGeometry& geometry, const char* text) {
  int x1 = geometry.x1;
  int x2 = geometry.x2;
  int length = (int)strlen(text);
  int columns = (x2 - x1) / kCharacterCellWidth;  // truncates toward zero
  int x = x1;
  if (geometry.align != kAlignLeft && length < columns) {
    if (geometry.align == kAlignRight) {
      x = x2 - kCharacterCellWidth * length;
    } else {
      x = x1 + (kCharacterCellWidth * (columns - length)) / 2;
    }
  }
  return (uint16_t)x;
}

// Template offsets of the code-page fonts.
enum : uint32_t {
  kFallbackFont = 0x00000,
  kCentralEuropeanFont = 0x4F200,
  kCyrillicFont = 0x4FA00,
  kBalticFont = 0x50200,
  kGreekFont = 0x50A00,
  kHebrewFont = 0x51200,
  kTurkishFont = 0x51A00,
  kArabicFont = 0x52200,
};

static uint32_t FontOfSystemLanguage(int primaryLanguage) {
  switch (primaryLanguage) {
    case 1: return kArabicFont;
    case 2: case 25: case 34: case 35: return kCyrillicFont;
    case 5: case 14: case 21: case 24: case 26: case 27: case 36: return kCentralEuropeanFont;
    case 8: return kGreekFont;
    case 13: return kHebrewFont;
    case 31: return kTurkishFont;
    case 37: case 38: case 39: return kBalticFont;
    default: return kFallbackFont;
  }
}

uint32_t CodePageFontOffset(int systemLangId, int uiLangId) {
  uint32_t offset = FontOfSystemLanguage(systemLangId & 0x3FF);
  switch (uiLangId) {
    case 1026: case 1049: case 1058: case 1059: offset = kCyrillicFont; break;
    case 1029: case 1038: case 1045: offset = kCentralEuropeanFont; break;
    case 1032: offset = kGreekFont; break;
    case 1037: offset = kHebrewFont; break;
    case 1055: offset = kTurkishFont; break;
    case 10241: offset = kArabicFont; break;
  }
  return offset;
}

// A record text, never read past its field, with trailing blanks (and
// with bothEnds also leading blanks) removed.
static std::string TrimmedField(const char* field, int fieldSize, bool bothEnds) {
  char bounded[kCommandSize];
  CopyText(bounded, fieldSize < kCommandSize ? fieldSize : kCommandSize, field);
  return bothEnds ? TrimText(bounded) : TrimRight(bounded);
}

static void Put8(ByteBuffer& out, unsigned value) { out.push_back((uint8_t)value); }

static void Put16(ByteBuffer& out, unsigned value) {
  out.push_back((uint8_t)(value & 0xFF));
  out.push_back((uint8_t)((value >> 8) & 0xFF));
}

// The characters, then one 0x00.
static void PutTerminated(ByteBuffer& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

void BuildRuntimeTextTable(ByteBuffer& out) {
  const MenuDocument& doc = TheDocument;
  int count = doc.ItemCount[kTextList];
  if (count > kMaxTextItems) count = kMaxTextItems;
  Put8(out, count);
  for (int n = 1; n <= count; n++) {
    const TextItem& item = doc.textItems[n];
    std::string text = TrimmedField(item.text, kItemTextSize, false);
    Put16(out, AlignedTextColumn(item.geometry, text.c_str()));
    Put16(out, item.geometry.y1);
    Put8(out, text.size() + 2);
    Put8(out, item.geometry.color);
    PutTerminated(out, text);
  }
}

// {uint16 key; uint8 n; n bytes of the command and its NUL}.
static void PutKeyEntry(ByteBuffer& out, unsigned key, const std::string& command) {
  Put16(out, key);
  Put8(out, command.size() + 1);
  PutTerminated(out, command);
}

void BuildKeyTable(ByteBuffer& out) {
  const MenuDocument& doc = TheDocument;
  int menuCount = doc.ItemCount[kMenuList];
  int keyCount = doc.ItemCount[kFunctionKeyList];
  if (menuCount > kMaxMenuItems) menuCount = kMaxMenuItems;
  if (keyCount > kMaxFunctionKeys) keyCount = kMaxFunctionKeys;
  Put8(out, menuCount + keyCount);
  for (int n = 1; n <= menuCount; n++) {
    PutKeyEntry(out, doc.menuKeys[n].accKey,
                TrimmedField(doc.menuStrings[n].command, kCommandSize, true));
  }
  for (int n = 1; n <= keyCount; n++) {
    const FunctionKeyItem& key = doc.functionKeys[n];
    std::string token = TrimmedField(key.key, kKeyTokenSize, true);
    PutKeyEntry(out, KeyNameToScanCode(token.c_str()), TrimmedField(key.command, kCommandSize, true));
  }
}

enum { kImageTextFlag = 0x80 };

void BuildMenuTextTable(ByteBuffer& out) {
  const MenuDocument& doc = TheDocument;
  int count = doc.ItemCount[kMenuList];
  if (count > kMaxMenuItems) count = kMaxMenuItems;
  Put8(out, count);
  for (int n = 1; n <= count; n++) {
    const MenuItemStrings& strings = doc.menuStrings[n];
    std::string text = TrimmedField(strings.text, kItemTextSize, false);
    Put8(out, (text.size() + 1) | (strings.useImageText ? kImageTextFlag : 0));
    PutTerminated(out, text);
  }
}

enum { kMaxPasswordLength = kPasswordSize - 1 };

void BuildPasswordTable(ByteBuffer& out) {
  const MenuDocument& doc = TheDocument;
  size_t start = out.size();
  out.resize(start + kPasswordTableSize, 0);
  int count = doc.ItemCount[kMenuList];
  if (count > kMaxMenuItems) count = kMaxMenuItems;
  for (int k = 0; k < count; k++) {
    const char* password = doc.menuStrings[k + 1].password;
    uint8_t* entry = &out[start + k * kPasswordEntrySize];
    int length = 0;
    while (length < kMaxPasswordLength && password[length]) {
      entry[1 + length] = (uint8_t)(password[length] ^ 0xFF);
      length++;
    }
    entry[0] = (uint8_t)length;
  }
}

static bool WriteBuffer(FILE* out, const ByteBuffer& bytes) {
  if (!out) return false;
  return bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

bool WriteTextItems(FILE* out) {
  ByteBuffer bytes;
  BuildRuntimeTextTable(bytes);
  return WriteBuffer(out, bytes);
}

bool WriteKeyTable(FILE* out) {
  ByteBuffer bytes;
  BuildKeyTable(bytes);
  return WriteBuffer(out, bytes);
}

bool WriteMenuTexts(FILE* out) {
  ByteBuffer bytes;
  BuildMenuTextTable(bytes);
  return WriteBuffer(out, bytes);
}

bool WriteMenuPasswords(FILE* out) {
  ByteBuffer bytes;
  BuildPasswordTable(bytes);
  return WriteBuffer(out, bytes);
}

bool WriteCodePageFont(FILE* out, FILE* templateFile) {
  ByteBuffer font(kCodePageFontSize, 0);
  size_t got = 0;
  if (templateFile) {
    uint32_t offset = CodePageFontOffset(SystemDefaultLangId(), TheLanguage.currentLangId);
    if (fseek(templateFile, (long)offset, SEEK_SET) == 0) {
      got = fread(font.data(), 1, font.size(), templateFile);
    }
  }
  bool written = WriteBuffer(out, font);
  return written && got == font.size();
}
