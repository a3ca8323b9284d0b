#pragma once
// The program's own English texts, one entry per string id.
#include "app/language.h"

enum { kBuiltinStringCount = 322 };

// Sorted by strictly ascending id; kBuiltinStringCount entries, no end marker.
extern const LangStrEntry BuiltinStringTable[kBuiltinStringCount];
