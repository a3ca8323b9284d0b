#pragma once
// Decimal conversion and blank trimming. IntToText and the Trim functions
// return a pointer into one shared static buffer of 1,024 bytes (TextBuffer):
// the result stays valid only until the next call of any of them, so callers
// copy it before calling another. Texts longer than 1,023 characters are cut.

const char* IntToText(int value);
int TextToInt(const char* text);   // atol semantics: 0 when no digit follows
char* TrimRight(const char* text); // drops trailing spaces (0x20 only)
char* TrimLeft(const char* text);  // drops leading spaces (0x20 only)
char* TrimText(const char* text);  // both
