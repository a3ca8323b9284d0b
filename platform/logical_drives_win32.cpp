// Win32 drive roots and drive kinds.
#include "platform/logical_drives.h"

#include <windows.h>

unsigned SystemLogicalDriveStrings(unsigned size, char* buffer) {
  return GetLogicalDriveStringsA(size, buffer);
}

unsigned SystemDriveType(const char* root) { return GetDriveTypeA(root); }
