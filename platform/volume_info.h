#pragma once
// Whether a file's volume keeps no access-control lists (FAT, FAT32, exFAT
// and their kind): such volumes cannot hold a file of 4 GB or more.
// Win32: GetVolumeInformationA on the path's root (the path cut after its
// first backslash) without FILE_PERSISTENT_ACLS. POSIX: statfs of the
// path's folder reports an MS-DOS (FAT) or exFAT file system.
// A volume that cannot be queried gives false.
bool VolumeIsFatLike(const char* path);
