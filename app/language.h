#pragma once
// UI texts by numeric id, the built-in English table and the language packs.
#include <cstdint>

// One string-table entry; a table is sorted by strictly ascending id.
struct LangStrEntry {
  int32_t id;
  const char* text;  // NUL-terminated, in the language's ANSI code page
};

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
// 0 when nothing was bound and the language in force stays).
int LoadLanguagePack(int langId);
