// ANSI code page to UTF-16 through MultiByteToWideChar.
#include "platform/ansi_to_ucs2.h"

#include <windows.h>

int AnsiToUcs2(const char* text, int length, uint16_t* out, int maxUnits) {
  if (length <= 0 || maxUnits <= 0) return 0;
  WCHAR wide[1024];
  int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide, 1024);
  if (units > maxUnits) units = maxUnits;
  for (int i = 0; i < units; i++) out[i] = (uint16_t)wide[i];
  return units < 0 ? 0 : units;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }
