// Drive roots, volume extents and physical-disk opening on Win32.
#include "platform/disk_queries.h"

#include <windows.h>
#include <winioctl.h>

#include <cstdio>

namespace {

unsigned SystemLogicalDriveStrings(char* buffer, unsigned size) {
  return GetLogicalDriveStringsA(size, buffer);
}

unsigned SystemDriveType(const char* root) { return GetDriveTypeA(root); }

HANDLE OpenForReading(const char* devicePath) {
  return CreateFileA(devicePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

// The disk of the volume's first extent; the volume counts only when its
// partition information can be read as well.
bool SystemVolumeDiskNumber(char letter, unsigned* diskNumber) {
  char volumePath[8];
  snprintf(volumePath, sizeof volumePath, "\\\\.\\%c:", letter);
  HANDLE volume = OpenForReading(volumePath);
  if (volume == INVALID_HANDLE_VALUE) return false;
  // A volume of one extent fills the structure exactly (32 bytes); a
  // volume spread over several disks does not fit and is not chosen.
  VOLUME_DISK_EXTENTS extents;
  DWORD returned = 0;
  if (!DeviceIoControl(volume, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, &extents,
                       sizeof extents, &returned, nullptr) ||
      extents.NumberOfDiskExtents == 0) {
    CloseHandle(volume);
    return false;
  }
  *diskNumber = extents.Extents[0].DiskNumber;
  PARTITION_INFORMATION partition;
  BOOL partitionRead = DeviceIoControl(volume, IOCTL_DISK_GET_PARTITION_INFO, nullptr, 0,
                                       &partition, sizeof partition, &returned, nullptr);
  CloseHandle(volume);
  return partitionRead != FALSE;
}

bool SystemCanOpenDeviceForReading(const char* devicePath) {
  HANDLE device = OpenForReading(devicePath);
  if (device == INVALID_HANDLE_VALUE) return false;
  CloseHandle(device);
  return true;
}

const DiskQueries kSystemDiskQueries = {SystemLogicalDriveStrings, SystemDriveType,
                                        SystemVolumeDiskNumber, SystemCanOpenDeviceForReading};

}  // namespace

const DiskQueries& SystemDiskQueries() { return kSystemDiskQueries; }
