#pragma once
// Conversion of 8-bit text in the system's ANSI code page to UTF-16, for
// Joliet names. Win32: MultiByteToWideChar(CP_ACP). Natively: code page
// 1252 (Western European), the code page of the English system.
#include <cstdint>

// Converts length bytes of text (NUL bytes included as U+0000) into at most
// maxUnits UTF-16 units; returns the number of units stored.
int AnsiToUcs2(const char* text, int length, uint16_t* out, int maxUnits);
// True when the byte starts a double-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
