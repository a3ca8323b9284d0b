#include "menu/picture_name.h"

#include <cstring>

#include "menu/document.h"

const char* PictureNameFault(const char* name) {
  if (strpbrk(name, "\\/")) return "it holds a folder separator (\\ or /)";
  if (strchr(name, ':')) return "it holds a colon, which names a drive";
  // A menu file stores the first 12 characters: neither they nor the whole
  // name may be dots and blanks alone.
  const size_t stored = strnlen(name, kShortFileNameSize - 1);
  if (stored > 0 && strspn(name, ". ") >= stored) {
    return "it is made of dots and blanks alone, which names a folder";
  }
  return nullptr;
}
