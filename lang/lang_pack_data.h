#pragma once
// The data of one language pack, generated from its text file
// (lang/lang_<code>.txt) by lang/make_pack_data.py.
#include "app/language.h"

extern const char kPackLangName[];  // the language's name in English letters
extern const int kPackLangId;       // its Windows LANGID
extern const char kPackFontName[];  // the font face for every control
extern const int kPackFontSize;     // in points
// Sorted by strictly ascending id; ends with {kLangStrEndId, nullptr}.
extern const LangStrEntry kPackStrings[];
