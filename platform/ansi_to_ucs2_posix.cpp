// Code page 1252 to UTF-16, the native stand-in for the ANSI code page.
#include "platform/ansi_to_ucs2.h"

// Bytes 0x80-0x9F of code page 1252; the five undefined bytes map to
// themselves, as Windows does.
static const uint16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int AnsiToUcs2(const char* text, int length, uint16_t* out, int maxUnits) {
  int units = 0;
  for (int i = 0; i < length && units < maxUnits; i++) {
    unsigned char c = (unsigned char)text[i];
    out[units++] = (c >= 0x80 && c <= 0x9F) ? kHigh1252[c - 0x80] : c;
  }
  return units;
}

bool IsAnsiLeadByte(unsigned char) { return false; }
