#pragma once
// The disk queries that tell whether the program may read the physical
// disks: the drive roots, their types, the disk that holds a volume and a
// trial opening of a device for reading. The Win32 build asks the system;
// natively there are no drives. Tests install their own answers.

// Drive types, the Win32 DRIVE_ values.
enum { kDriveRemovable = 2, kDriveFixed = 3 };

struct DiskQueries {
  // The drive roots ("C:\", each NUL-terminated, the list ended by an empty
  // one) into buffer (size bytes). Returns the length without the final
  // NUL, 0 on failure, or more than size - 1 when the list does not fit
  // (as GetLogicalDriveStringsA).
  unsigned (*logicalDriveStrings)(char* buffer, unsigned size);
  // The type of a drive root (kDriveRemovable, kDriveFixed or another).
  unsigned (*driveType)(const char* root);
  // The number of the physical disk that holds the volume of a drive
  // letter; false when the volume or its disk cannot be queried.
  bool (*volumeDiskNumber)(char letter, unsigned* diskNumber);
  // Whether a device path ("\\.\PhysicalDrive0") opens for reading.
  bool (*canOpenDeviceForReading)(const char* devicePath);
};

// The queries in force: the installed ones, or the system's.
const DiskQueries& TheDiskQueries();

// Installs queries in place of the system's; null restores the system's.
// Returns the ones installed before (null for the system's).
const DiskQueries* SetDiskQueries(const DiskQueries* queries);
