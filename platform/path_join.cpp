#include "platform/files.h"

#include <cstring>

bool JoinPath(char* out, size_t size, const char* dir, const char* name) {
  if (size == 0) return false;
  size_t dirLen = strlen(dir);
  size_t nameLen = strlen(name);
  bool needSeparator = dirLen > 0 && dir[dirLen - 1] != '\\' && dir[dirLen - 1] != '/';
  size_t total = dirLen + (needSeparator ? 1 : 0) + nameLen;
  if (total + 1 > size) {
    out[0] = 0;
    return false;
  }
  memmove(out, dir, dirLen);
  size_t at = dirLen;
  if (needSeparator) out[at++] = kPathSeparator;
  memmove(out + at, name, nameLen);
  out[total] = 0;
  return true;
}
