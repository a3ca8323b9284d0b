#include "app/language.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/message_boxes.h"
#include "app/process_settings.h"
#include "app/string_table.h"
#include "platform/files.h"
#include "platform/library_loader.h"

LanguageState TheLanguage = {1033, "MS Sans Serif", 9, 1, nullptr, 0};

namespace {

const int kEnglishLangId = 1033;
const int kDefaultCharset = 1;

struct LanguageCode {
  int langId;
  const char* code;  // the pack is lang\lang_<code>.dll under HomeDir
  int charset;       // Windows font charset of the language's code page
};

const LanguageCode kLanguageCodes[] = {
    {1026, "bg", 204}, {1029, "cz", 238}, {1030, "dk", 1},   {1031, "de", 1},
    {1032, "gr", 161}, {1034, "es", 1},   {1036, "fr", 1},   {1037, "he", 177},
    {1038, "hu", 238}, {1040, "it", 1},   {1042, "kr", 129}, {1043, "nl", 1},
    {1044, "no", 1},   {1045, "pl", 238}, {1046, "br", 1},   {1048, "ro", 1},
    {1049, "ru", 204}, {1053, "se", 1},   {1055, "tr", 162}, {1058, "ua", 204},
    {1059, "by", 204}, {2070, "pt", 1},   {2074, "yu", 1},   {10241, "ar", 178},
};

// Binary search over count entries of a sorted table; null when absent.
const char* FindInTable(const LangStrEntry* table, int count, int id) {
  int lo = 0;
  int hi = count - 1;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    if (table[mid].id == id) return table[mid].text;
    if (id < table[mid].id)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  return nullptr;
}

bool InsideImage(const void* p, size_t size, const char* begin, const char* end) {
  uintptr_t at = (uintptr_t)p;
  uintptr_t b = (uintptr_t)begin;
  uintptr_t e = (uintptr_t)end;
  return at >= b && at <= e && size <= e - at;
}

// A text handed out by a pack: not null and, when the image is known,
// NUL-terminated inside it.
bool IsUsableText(const char* text, const char* begin, const char* end) {
  if (!text) return false;
  if (!begin || !end) return true;
  if (!InsideImage(text, 1, begin, end)) return false;
  return memchr(text, 0, (size_t)(end - text)) != nullptr;
}

typedef int (*IntExport)();
typedef const char* (*TextExport)();
typedef const LangStrEntry* (*TableExport)();

// The five exports of a pack, null where the pack lacks one.
struct PackExports {
  TextExport getLangName;
  IntExport getLangId;
  TextExport getFontName;
  IntExport getFontSize;
  TableExport getLangStr;
};

PackExports LookUpExports(LibraryHandle library) {
  PackExports exports;
  exports.getLangName = reinterpret_cast<TextExport>(GetLibraryExport(library, "GetLangName"));
  exports.getLangId = reinterpret_cast<IntExport>(GetLibraryExport(library, "GetLangID"));
  exports.getFontName = reinterpret_cast<TextExport>(GetLibraryExport(library, "GetFontName"));
  exports.getFontSize = reinterpret_cast<IntExport>(GetLibraryExport(library, "GetFontSize"));
  exports.getLangStr = reinterpret_cast<TableExport>(GetLibraryExport(library, "GetLangStr"));
  return exports;
}

// Checks a freshly loaded pack and, when it is one for langId with a string
// table, puts it in force. False leaves the language state untouched.
bool BindPack(LibraryHandle library, int langId, int charset) {
  PackExports exports = LookUpExports(library);
  int packLangId = exports.getLangId ? exports.getLangId() : TheLanguage.currentLangId;
  if (packLangId != langId) return false;
  // Without its own table the pack would run under the new language with
  // the table of the pack bound before: such a pack is refused.
  if (!exports.getLangStr) return false;
  const LangStrEntry* table = exports.getLangStr();
  if (!table) return false;

  const char* imageBegin = nullptr;
  const char* imageEnd = nullptr;
  GetLibraryImageRange(library, &imageBegin, &imageEnd);
  int count = CountLangStrEntries(table, imageBegin, imageEnd);

  TheLanguage.currentLangId = langId;
  if (exports.getFontName) {
    const char* fontName = exports.getFontName();
    if (IsUsableText(fontName, imageBegin, imageEnd)) TheLanguage.uiFontName = fontName;
  }
  if (exports.getFontSize) TheLanguage.uiFontSize = exports.getFontSize();
  TheLanguage.packTable = table;
  TheLanguage.packTableCount = count;
  TheLanguage.uiFontCharset = charset;
  return true;
}

}  // namespace

int CountLangStrEntries(const LangStrEntry* table, const char* imageBegin, const char* imageEnd) {
  if (!table) return 0;
  bool bounded = imageBegin && imageEnd;
  int32_t previousId = kLangStrEndId;
  int count = 0;
  while (count < kMaxLangStrEntries) {
    const LangStrEntry* entry = table + count;
    if (bounded && !InsideImage(entry, sizeof(LangStrEntry), imageBegin, imageEnd)) break;
    if (entry->id <= previousId || !entry->text) break;  // the end marker stops here too
    if (bounded && !IsUsableText(entry->text, imageBegin, imageEnd)) break;
    previousId = entry->id;
    count++;
  }
  return count;
}

bool FindLanguageCode(int langId, const char** code, int* charset) {
  for (const LanguageCode& language : kLanguageCodes) {
    if (language.langId == langId) {
      *code = language.code;
      *charset = language.charset;
      return true;
    }
  }
  return false;
}

const char* GetString(int id) {
  if (TheLanguage.packTable) {
    const char* text = FindInTable(TheLanguage.packTable, TheLanguage.packTableCount, id);
    if (text) return text;
  }
  const char* text = FindInTable(BuiltinStringTable, kBuiltinStringCount, id);
  if (text) return text;
  snprintf(MessageBuffer, kMessageBufferSize, "Bad string ID: %d", id);
  ShowInfo(MessageBuffer);
  return "";
}

int LoadLanguagePack(int langId) {
  if (langId == kEnglishLangId) {
    // The font name and size stay: the name may point into a pack, which
    // therefore is never unloaded.
    TheLanguage.currentLangId = kEnglishLangId;
    TheLanguage.uiFontCharset = kDefaultCharset;
    TheLanguage.packTable = nullptr;
    TheLanguage.packTableCount = 0;
    return 1;
  }
  const char* code = nullptr;
  int charset = kDefaultCharset;
  if (!FindLanguageCode(langId, &code, &charset)) return 0;

  char fileName[16];
  snprintf(fileName, sizeof fileName, "lang_%s.dll", code);
  char langDir[300];
  char path[320];
  if (!JoinPath(langDir, sizeof langDir, GetHomeDir(), "lang")) return 0;
  if (!JoinPath(path, sizeof path, langDir, fileName)) return 0;
  if (!FileExists(path)) return 0;

  LibraryHandle library = LoadLibraryAt(path);
  if (!library) return 0;
  if (!BindPack(library, langId, charset)) {
    FreeLibraryHandle(library);
    return 0;
  }
  return 1;
}
