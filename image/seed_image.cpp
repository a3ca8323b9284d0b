#include "image/seed_image.h"

#include <cstring>

#include "image/fat_boot_sector.h"
#include "platform/byte_order.h"
#include "platform/files.h"

uint8_t SeedBootSector[kSeedSectorSize];
uint32_t SeedPartitionStart = 0;

namespace {

// Master boot record: four 16-byte partition entries.
enum { kPartitionTable = 446, kPartitionEntrySize = 16, kPartitionEntries = 4 };
enum { kEntryStatus = 0, kEntryType = 4, kEntryFirstSector = 8 };

const uint32_t kFat12MaxClusters = 4085;
const uint32_t kFat16MaxClusters = 65525;

bool HasSignature(const uint8_t* sector) { return sector[kSignature] == 0x55 && sector[kSignature + 1] == 0xAA; }

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

int MarksOfFatBootSector(const uint8_t* s) {
  int score = 0;
  if ((s[kJump] == 0xEB && s[kJump + 2] == 0x90) || s[kJump] == 0xE9) ++score;
  if (HasSignature(s)) ++score;
  if (get16le(s + kReservedSectors) >= 1) ++score;
  if (s[kFatCount] == 1 || s[kFatCount] == 2) ++score;
  if (s[kMediaDescriptor] == 0xF0 || s[kMediaDescriptor] >= 0xF8) ++score;
  return score;
}

// Clusters of the volume, in unsigned 32-bit arithmetic as FAT drivers
// count them (a volume whose system areas exceed its size wraps to a huge
// count and reads as FAT32).
uint32_t CountClusters(const uint8_t* s) {
  uint32_t bytesPerSector = get16le(s + kBytesPerSector);
  uint32_t total = get16le(s + kTotalSectors16);
  if (total == 0) total = get32le(s + kTotalSectors32);
  uint32_t sectorsPerFat = get16le(s + kSectorsPerFat16);
  if (sectorsPerFat == 0) sectorsPerFat = get32le(s + kSectorsPerFat32) & 0xFFFF;
  uint32_t rootSectors = (get16le(s + kRootEntries) * 32u + bytesPerSector - 1) / bytesPerSector;
  uint32_t system = s[kFatCount] * sectorsPerFat + get16le(s + kReservedSectors) + rootSectors;
  return (total - system) / s[kSectorsPerCluster];
}

}  // namespace

bool IsFatBootSector(FILE* seed) {
  memset(SeedBootSector, 0, sizeof SeedBootSector);
  if (!SeekStream64(seed, (int64_t)SeedPartitionStart * kSeedSectorSize)) return false;
  size_t got = fread(SeedBootSector, 1, sizeof SeedBootSector, seed);
  (void)got;  // a short read leaves the rest zero, which the checks refuse
  const uint8_t* s = SeedBootSector;
  uint32_t bytesPerSector = get16le(s + kBytesPerSector);
  if (bytesPerSector != 512 && bytesPerSector != 1024 && bytesPerSector != 2048 && bytesPerSector != 4096)
    return false;
  if (!IsPowerOfTwo(s[kSectorsPerCluster])) return false;
  if (memcmp(s + kOemName, "NTFS    ", 8) == 0) return false;
  if (MarksOfFatBootSector(s) != 5) return false;
  return CountClusters(s) < kFat16MaxClusters;
}

uint32_t FindActivePartitionStart(const uint8_t* sector) {
  if (!HasSignature(sector)) return 0;
  uint32_t start = 0;
  for (int i = 0; i < kPartitionEntries; ++i) {
    const uint8_t* entry = sector + kPartitionTable + i * kPartitionEntrySize;
    if (entry[kEntryType] == 0) continue;
    if (entry[kEntryStatus] == 0x80)
      start = get32le(entry + kEntryFirstSector);
    else if (entry[kEntryStatus] != 0)
      start = 0;
  }
  return start;
}

bool RecogniseSeedImage(FILE* seed) {
  SeedPartitionStart = 0;
  if (IsFatBootSector(seed)) return true;
  uint8_t first[kSeedSectorSize];
  memset(first, 0, sizeof first);
  if (!SeekStream64(seed, 0)) return false;
  size_t got = fread(first, 1, sizeof first, seed);
  (void)got;
  SeedPartitionStart = FindActivePartitionStart(first);
  if (SeedPartitionStart == 0) return false;
  return IsFatBootSector(seed);
}

bool SeedHasExtendedBootRecord() {
  const uint8_t* s = SeedBootSector;
  int32_t target;
  if (s[kJump] == 0xEB)
    target = 2 + (int8_t)s[kJump + 1];
  else if (s[kJump] == 0xE9)
    target = 3 + (int16_t)get16le(s + kJump + 1);
  else
    return false;
  return target >= kBootCode;
}
