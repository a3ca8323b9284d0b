#pragma once
// Offsets of the fields of a FAT boot sector (from the start of the
// sector), shared by the code that reads a seed image's boot sector and the
// code that writes a new image's. The BIOS parameter block runs from
// kOemName to kBootCode - 1.
enum FatBootSectorField {
  kJump = 0,
  kOemName = 3,
  kBytesPerSector = 11,
  kSectorsPerCluster = 13,
  kReservedSectors = 14,
  kFatCount = 16,
  kRootEntries = 17,
  kTotalSectors16 = 19,
  kMediaDescriptor = 21,
  kSectorsPerFat16 = 22,
  kSectorsPerTrack = 24,
  kHeads = 26,
  kHiddenSectors = 28,
  kTotalSectors32 = 32,
  kSectorsPerFat32 = 36,  // FAT32 only
  kDriveNumber = 36,      // FAT12 and FAT16
  kReservedByte = 37,
  kExtendedSignature = 38,
  kVolumeLabel = 43,
  kFileSystemType = 54,
  kBootCode = 62,
  kSignature = 510,
};
