#include "image/floppy_drives.h"

#include <cstring>

#include "platform/files.h"
#include "platform/disk_queries.h"

const char kNoFloppyDriveText[] = "No floppy drive found!";

// GetLogicalDriveStringsA's buffer: 26 roots of 4 characters need 105.
enum { kDriveStringsSize = 260 };

int ListRemovableDrives(FloppyDriveList* list) {
  list->count = 0;
  char roots[kDriveStringsSize];
  memset(roots, 0, sizeof roots);
  const DiskQueries& disks = TheDiskQueries();
  // One byte stays NUL, so the walk below always finds an end.
  disks.logicalDriveStrings(roots, kDriveStringsSize - 1);
  const char* end = roots + kDriveStringsSize;
  for (const char* root = roots; root < end && *root; root += strlen(root) + 1) {
    if (disks.driveType(root) != kDriveRemovable || list->count >= kMaxFloppyDrives) continue;
    char letter = root[0];
    if (letter >= 'a' && letter <= 'z') letter = (char)(letter - 'a' + 'A');
    char* name = list->names[list->count++];
    name[0] = letter;
    name[1] = ':';
    name[2] = 0;
  }
  return list->count;
}

bool MakeFloppyOutputName(char* out, size_t size, const char* menuDir) {
  return JoinPath(out, size, menuDir, "boot.img");
}
