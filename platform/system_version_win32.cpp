#include "platform/system_version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

unsigned SystemVersionWord() { return (unsigned)GetVersion(); }

bool SystemFileVersionText(const char* path, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  DWORD handle = 0;
  DWORD infoSize = GetFileVersionInfoSizeA(path, &handle);
  if (infoSize == 0) return false;
  std::vector<char> info(infoSize);
  if (!GetFileVersionInfoA(path, 0, infoSize, info.data())) return false;
  WORD* translation = nullptr;
  UINT translationSize = 0;
  if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", (void**)&translation,
                      &translationSize) ||
      translationSize < 2 * sizeof(WORD)) {
    return false;
  }
  char query[64];
  snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\FileVersion", translation[0],
           translation[1]);
  char* text = nullptr;
  UINT textSize = 0;
  if (!VerQueryValueA(info.data(), query, (void**)&text, &textSize) || !text) return false;
  // textSize counts characters, with or without the NUL depending on the
  // system; the text is taken up to its NUL within that count.
  size_t length = strnlen(text, textSize);
  if (length >= size) return false;
  memcpy(out, text, length);
  out[length] = '\0';
  return true;
}
