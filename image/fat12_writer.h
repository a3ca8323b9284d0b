#pragma once
// The new floppy image: a FAT12 volume of a chosen size in KB with the
// seed's boot code, a BIOS parameter block for that size, two empty FATs,
// an empty root directory (holding the seed's volume label, when it has
// one) and a data area filled with 0xF6. The standard floppy sizes (360,
// 720, 1200, 1440 and 2880 KB) get the geometry, media byte, cluster size,
// root directory and FAT size of their DOS format.
#include <cstdint>
#include <cstdio>

enum {
  kMinNewImageKb = 17,     // 34 sectors: the 33 system sectors and one data cluster
  kMaxNewImageKb = 46080,
  kNewImageBpbSize = 59,   // boot sector bytes 3 to 61
};

// The new image's boot-sector bytes 3 to 61 (OEM name, BIOS parameter
// block, extended boot record), filled by WriteFat12Image.
extern uint8_t NewImageBpb[kNewImageBpbSize];

enum Fat12WriteResult {
  kFat12Written,
  kFat12SizeRefused,  // below 17 KB or above 46080 KB; nothing written
  kFat12WriteFailed,
  kFat12NoMemory,
};

// Writes the whole image for sizeKb into output (open for binary writing)
// from SeedBootSector. Every write is checked; the first failure stops.
Fat12WriteResult WriteFat12Image(FILE* output, int sizeKb);

// Writes count 512-byte sectors from data at sector firstSector; returns
// the sectors written.
uint32_t WriteImageSectors(FILE* output, uint32_t count, uint32_t firstSector, const uint8_t* data);
