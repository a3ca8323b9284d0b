// Win32 FAT test through GetVolumeInformationA.
#include "platform/volume_info.h"

#include <windows.h>

#include <cstring>

bool VolumeIsFatLike(const char* path) {
  char root[MAX_PATH];
  size_t length = strlen(path);
  if (length >= sizeof root) return false;
  memcpy(root, path, length + 1);
  char* backslash = strchr(root, '\\');
  if (!backslash) return false;  // no root to ask about
  backslash[1] = 0;
  char volumeName[MAX_PATH], fileSystem[MAX_PATH];
  DWORD serial = 0, maxComponent = 0, flags = 0;
  if (!GetVolumeInformationA(root, volumeName, MAX_PATH, &serial, &maxComponent, &flags, fileSystem, MAX_PATH))
    return false;
  return (flags & FILE_PERSISTENT_ACLS) == 0;
}
