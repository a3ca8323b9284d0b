#pragma once
// The tables the boot loader reads at boot time, appended behind the fixed
// blocks of a menu file: the runtime text table, the key table, the menu
// text table, the code-page font and the password table. Each Build...
// function appends the table's bytes for TheDocument to a buffer, so tests
// and the writer can look at them in memory; each Write... function
// appends the same bytes to an open file (binary mode) and returns false
// when the file did not take them all.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "menu/document.h"

typedef std::vector<uint8_t> ByteBuffer;

enum {
  kCodePageFontSize = 2048,
  kPasswordEntrySize = 10,
  kPasswordTableSize = kMaxMenuItems * kPasswordEntrySize,  // 360
  kNoScanCode = 0xFFFF,
};

// The keystroke code of a function key token: a one-character token gives
// that character's byte sign-extended to 16 bits; otherwise the first
// KeyNameTable row whose token equals it (case-insensitively) gives its
// code. Null or unknown tokens give 0xFFFF.
uint16_t KeyNameToScanCode(const char* token);

// Number of rows of the key-name table and one row (0-based index).
struct KeyNameRow {
  const char* token;
  uint16_t code;
};
extern const KeyNameRow kKeyNameTable[];
extern const int kKeyNameTableRows;  // 51

// The start column of an aligned text in its box, modulo 65,536. text is
// the text with trailing blanks already trimmed.
uint16_t AlignedTextColumn(const TextItemGeometry& geometry, const char* text);

// The template offset of the code-page font for a system default language
// and a user-interface language (both Windows LANGIDs).
uint32_t CodePageFontOffset(int systemLangId, int uiLangId);

void BuildRuntimeTextTable(ByteBuffer& out);
void BuildKeyTable(ByteBuffer& out);
void BuildMenuTextTable(ByteBuffer& out);
void BuildPasswordTable(ByteBuffer& out);  // always kPasswordTableSize bytes

// Appends to the open menu file at its current position.
bool WriteTextItems(FILE* out);
bool WriteKeyTable(FILE* out);
bool WriteMenuTexts(FILE* out);
bool WriteMenuPasswords(FILE* out);

// Reads the 2,048-byte code-page font chosen for SystemDefaultLangId() and
// TheLanguage.currentLangId from the open template and appends it. Always
// appends 2,048 bytes (zeros where the template ends early, so the file's
// layout stays right) and returns false when the template was short or the
// menu file did not take the bytes.
bool WriteCodePageFont(FILE* out, FILE* templateFile);
