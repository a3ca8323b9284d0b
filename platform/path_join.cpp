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

bool NearestExistingFolder(char* out, size_t size, const char* folder) {
  if (size == 0) return false;
  size_t length = strlen(folder);
  if (length >= size) {
    out[0] = 0;
    return false;
  }
  memcpy(out, folder, length + 1);
  while (out[0] && !FolderExists(out)) {
    char* cut = strrchr(out, '\\');
    char* slash = strrchr(out, '/');
    if (!cut || (slash && slash > cut)) cut = slash;
    if (!cut) {
      out[0] = 0;
      break;
    }
    // A root keeps its separator ("C:\\", "/").
    if (cut == out || (cut == out + 2 && out[1] == ':')) {
      cut[1] = 0;
      if (!FolderExists(out)) out[0] = 0;
      break;
    }
    *cut = 0;
  }
  return out[0] != 0;
}
