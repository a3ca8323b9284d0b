#pragma once
// Raw sector reads of a floppy disk through either access path of the
// floppy device seam, with the disk's geometry taken from its boot sector.
#include <cstdint>

#include "platform/floppy_device.h"

enum {
  kFloppyBootHeaderSize = 30,
  kFloppyBootSectorSize = 512,
  kMaxFloppySectorSize = 4096,
};

// Fields of the boot sector that the reader uses (16-bit, little-endian;
// the 32-bit total holds the count of a disk of 32 MB or more, whose 16-bit
// total is 0).
enum {
  kBootBytesPerSector = 11,
  kBootTotalSectors16 = 19,
  kBootSectorsPerTrack = 24,
  kBootHeads = 26,
  kBootTotalSectors32 = 32,
};

// The first 30 bytes of the last boot sector read; all zero before the first.
extern uint8_t FloppyBootHeader[kFloppyBootHeaderSize];
// The BIOS drive number of the VWIN32 path: the drive letter minus 'A'.
extern int FloppyDriveNumber;

struct FloppyGeometry {
  uint32_t bytesPerSector;
  uint32_t sectorsPerTrack;
  uint32_t heads;
  uint32_t totalSectors;  // the 16-bit count
  uint32_t cylinders;     // whole cylinders; sectors beyond the last are not read
};

// The geometry in FloppyBootHeader. False when it is not that of a disk
// the reader can copy: bytes per sector other than 512, 1024, 2048 or
// 4096, sectors per track outside 1-63, heads outside 1-255, a 16-bit total
// of 0 (a disk formatted with the 32-bit count, such as a USB stick), no
// whole cylinder, or, on the VWIN32 path, more than 256 cylinders (INT 13h
// gets the cylinder number in one byte of the register block).
bool GetFloppyGeometry(bool devicePath, FloppyGeometry* geometry);

struct FloppyDevice {
  FloppyHandle handle;
  bool devicePath;  // true: "\\.\A:" and byte offsets; false: VWIN32 INT 13h
};

// Opens the drive named by driveText ("A:"): "\\.\A:" on the device path;
// "\\.\vwin32" with FloppyDriveNumber set from the letter otherwise.
// False when it cannot be opened.
bool OpenFloppyDrive(const char* driveText, bool devicePath, FloppyDevice* device);
void CloseFloppyDrive(FloppyDevice* device);

// Reads the disk's first 512 bytes (sector 1 of cylinder 0, head 0),
// whatever the geometry of an earlier disk was. True only when all 512
// bytes were read.
bool ReadFloppyBootSector(const FloppyDevice& device, uint8_t* sector);

// Reads count sectors of one track, from sector number firstSector (1 is
// the track's first), with the geometry of FloppyBootHeader, into buffer
// (count x bytes per sector). True only when every byte was read.
bool ReadFloppySectors(const FloppyDevice& device, int cylinder, int head, int firstSector, uint8_t* buffer,
                       int count);
