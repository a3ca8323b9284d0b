// The five exports of a language pack. The pack holds data only; every
// export returns a pointer to (or a value of) that data, the same on every
// call. The string table ends with the entry {kLangStrEndId, nullptr}, by
// which the program learns its length (CountLangStrEntries).
#include "lang/lang_pack_data.h"

extern "C" {

const char* GetLangName() { return kPackLangName; }

int GetLangID() { return kPackLangId; }

const char* GetFontName() { return kPackFontName; }

int GetFontSize() { return kPackFontSize; }

const LangStrEntry* GetLangStr() { return kPackStrings; }

}  // extern "C"
