// Natively there are no drive letters: an empty list.
#include "platform/logical_drives.h"

unsigned SystemLogicalDriveStrings(unsigned size, char* buffer) {
  if (size >= 2) buffer[0] = buffer[1] = 0;
  return 0;
}

unsigned SystemDriveType(const char* root) { return 0; }  // DRIVE_UNKNOWN
