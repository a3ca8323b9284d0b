#pragma once
// Recognition of the seed of a new floppy image: a FAT12 or FAT16 boot
// sector at the start of the seed file (a floppy image) or at the start of
// its active partition (a hard-disk image).
#include <cstdint>
#include <cstdio>

enum { kSeedSectorSize = 512 };

// The boot sector of the seed as last read; zeroed before each read.
extern uint8_t SeedBootSector[kSeedSectorSize];
// The sector where the seed's FAT volume begins: 0 for a floppy image.
extern uint32_t SeedPartitionStart;

// Finds the boot sector at the start of the seed or of its active
// partition; leaves it in SeedBootSector and its place in SeedPartitionStart.
bool RecogniseSeedImage(FILE* seed);

// Reads the sector at SeedPartitionStart into SeedBootSector (a short read
// leaves the rest zero) and judges it: bytes per sector 512-4096, sectors
// per cluster a power of two, not NTFS, and all five marks of a FAT boot
// sector (jump, 55 AA, reserved sectors, FAT count, media byte); FAT32
// (65,525 clusters or more) is refused.
bool IsFatBootSector(FILE* seed);

// The first sector of the active partition of a master boot record, or 0
// (no 55 AA, no active entry, or an entry with an invalid status after it).
uint32_t FindActivePartitionStart(const uint8_t* sector);

// Whether SeedBootSector's jump leads past the extended boot record (to
// offset 0x3E or beyond). The new image rewrites bytes 3 to 61; boot code
// that begins before 62 would be overwritten, so such a seed is refused.
bool SeedHasExtendedBootRecord();
