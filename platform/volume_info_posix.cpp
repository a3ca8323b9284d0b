// POSIX FAT test through statfs.
#include "platform/volume_info.h"

#include <cstring>
#include <sys/vfs.h>

bool VolumeIsFatLike(const char* path) {
  // The file may not exist yet: ask about its folder.
  char folder[4096];
  size_t length = strlen(path);
  if (length >= sizeof folder) return false;
  memcpy(folder, path, length + 1);
  char* slash = strrchr(folder, '/');
  if (slash == folder) folder[1] = 0;
  else if (slash) *slash = 0;
  else strcpy(folder, ".");
  struct statfs info;
  if (statfs(folder, &info) != 0) return false;
  const long kMsdosMagic = 0x4d44, kExfatMagic = 0x2011BAB0;
  return info.f_type == kMsdosMagic || info.f_type == kExfatMagic;
}
