// Natively there are no drive letters and no physical disks to open.
#include "platform/disk_queries.h"

namespace {

unsigned NoDriveStrings(char* buffer, unsigned size) {
  if (size) buffer[0] = '\0';
  return 0;
}
unsigned NoDriveType(const char* root) { return 0; }
bool NoVolumeDiskNumber(char letter, unsigned* diskNumber) { return false; }
bool NoDevice(const char* devicePath) { return false; }

const DiskQueries kNoDisks = {NoDriveStrings, NoDriveType, NoVolumeDiskNumber, NoDevice};

}  // namespace

const DiskQueries& SystemDiskQueries() { return kNoDisks; }
