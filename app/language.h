#pragma once
// UI texts by numeric id, the built-in English table and the language packs.
#include <cstdint>

// One string-table entry; a table is sorted by strictly ascending id.
struct LangStrEntry {
  int32_t id;
  const char* text;  // NUL-terminated, in the language's ANSI code page
};

// A language pack's table ends with this entry: id kLangStrEndId and a null
// text. The entries before it have ids above 0, strictly rising, and
// non-null texts. The program counts a pack's entries once, when it binds
// the pack (CountLangStrEntries), and searches only those.
const int32_t kLangStrEndId = 0;
// No pack is taken to hold more entries than this.
const int kMaxLangStrEntries = 4096;

// The language in force and the font that every form applies to its
// controls when it localises itself.
struct LanguageState {
  int currentLangId;             // Windows LANGID, 1033 at start
  const char* uiFontName;        // "MS Sans Serif" at start
  int uiFontSize;                // 9 at start
  int uiFontCharset;             // 1 at start
  const LangStrEntry* packTable; // bound pack's table, null for English
  int packTableCount;            // entries of packTable the lookup may search
};

extern LanguageState TheLanguage;

// The text of a string id in the current language; never null. An id in
// neither table shows "Bad string ID: %d" and yields "".
const char* GetString(int id);

// Binds the pack of a language (1 when that language is in force afterwards,
// 0 when nothing was bound and the language in force stays). 1033 is the
// built-in English. A pack once bound stays loaded until the program ends.
int LoadLanguagePack(int langId);

// The number of usable entries at the start of a pack's table: entries are
// taken up to the end marker, or up to the first entry that breaks the rules
// (id not above the one before, null text), at most kMaxLangStrEntries.
// When imageBegin and imageEnd are given, every entry and every text (with
// its NUL) must also lie inside [imageBegin, imageEnd); nothing outside it
// is read. A null table counts 0.
int CountLangStrEntries(const LangStrEntry* table, const char* imageBegin, const char* imageEnd);

// The pack file name's two-letter code and the font charset of a language,
// for the languages that have packs; false for any other id (1033 included).
bool FindLanguageCode(int langId, const char** code, int* charset);
