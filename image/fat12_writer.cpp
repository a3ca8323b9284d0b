#include "image/fat12_writer.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "image/fat_boot_sector.h"
#include "image/seed_image.h"
#include "platform/byte_order.h"
#include "platform/files.h"

uint8_t NewImageBpb[kNewImageBpbSize];

namespace {

// NewImageBpb holds boot sector bytes kBpbStart to kBootCode - 1.
enum { kBpbStart = kOemName };

enum { kSectorSize = 512, kLabelSize = 11 };

// The fixed layout of every new image.
const uint32_t kReserved = 1;
const uint32_t kFats = 2;
const uint32_t kRootEntryCount = 224;
const uint32_t kFatSectors = 9;
const uint8_t kMedia = 0xF0;
const uint8_t kDataFill = 0xF6;
const uint32_t kDataChunkSectors = 64;

// Directory entry of the volume label.
enum { kDirEntrySize = 32, kDirAttributes = 11, kDirTime = 22, kDirDate = 24 };
const uint8_t kAttrVolumeLabel = 0x08;

// The size table: up to a size in KB, its cluster size and geometry.
struct ImageSizeBand {
  int upToKb;
  int sectorsPerCluster;
  int sectorsPerTrack;
  int heads;
};

const ImageSizeBand kSizeTable[] = {
    {1440, 1, 18, 2},   {2880, 2, 36, 2},    {5760, 4, 36, 4},
    {11520, 8, 36, 8},  {23040, 16, 36, 16}, {46080, 32, 36, 32},
};

uint8_t* Bpb(int offset) { return NewImageBpb + offset - kBpbStart; }

void FillBpb(const ImageSizeBand& band, uint32_t totalSectors) {
  memcpy(NewImageBpb, SeedBootSector + kBpbStart, kNewImageBpbSize);
  put16le(Bpb(kBytesPerSector), kSectorSize);
  *Bpb(kSectorsPerCluster) = (uint8_t)band.sectorsPerCluster;
  put16le(Bpb(kReservedSectors), kReserved);
  *Bpb(kFatCount) = (uint8_t)kFats;
  put16le(Bpb(kRootEntries), kRootEntryCount);
  put16le(Bpb(kTotalSectors16), totalSectors < 65536 ? totalSectors : 0);
  *Bpb(kMediaDescriptor) = kMedia;
  put16le(Bpb(kSectorsPerFat16), kFatSectors);
  put16le(Bpb(kSectorsPerTrack), (uint32_t)band.sectorsPerTrack);
  put16le(Bpb(kHeads), (uint32_t)band.heads);
  put32le(Bpb(kHiddenSectors), 0);
  put32le(Bpb(kTotalSectors32), totalSectors < 65536 ? 0 : totalSectors);
  *Bpb(kDriveNumber) = 0;
  *Bpb(kReservedByte) = 0;
  *Bpb(kExtendedSignature) = 0x29;
  memcpy(Bpb(kFileSystemType), "FAT12   ", 8);
}

// Whether a volume label (boot sector bytes 43-53) names a volume: not all
// blanks or NULs and not "NO NAME    ".
bool IsRealVolumeLabel(const uint8_t* label) {
  if (memcmp(label, "NO NAME    ", kLabelSize) == 0) return false;
  for (int i = 0; i < kLabelSize; ++i) {
    if (label[i] != ' ' && label[i] != 0) return true;
  }
  return false;
}

// The volume label's directory entry, dated now, so that the label of the
// boot sector is also the label in the root directory as FAT requires.
void PutLabelEntry(uint8_t* entry) {
  memcpy(entry, Bpb(kVolumeLabel), kLabelSize);
  entry[kDirAttributes] = kAttrVolumeLabel;
  time_t now = time(nullptr);
  const struct tm* local = localtime(&now);
  if (local && local->tm_year >= 80) {
    put16le(entry + kDirTime, (uint32_t)((local->tm_hour << 11) | (local->tm_min << 5) | (local->tm_sec / 2)));
    put16le(entry + kDirDate,
            (uint32_t)(((local->tm_year - 80) << 9) | ((local->tm_mon + 1) << 5) | local->tm_mday));
  } else {
    put16le(entry + kDirDate, (1 << 5) | 1);  // 1980-01-01
  }
}

bool WriteBootSector(FILE* output) {
  uint8_t sector[kSectorSize];
  memcpy(sector, SeedBootSector, kSectorSize);
  memcpy(sector + kBpbStart, NewImageBpb, kNewImageBpbSize);
  return WriteImageSectors(output, 1, 0, sector) == 1;
}

// Both FATs and the root directory: one zeroed buffer of the larger size.
Fat12WriteResult WriteSystemArea(FILE* output) {
  const uint32_t fatBytes = kFatSectors * kSectorSize;
  const uint32_t rootSectors = kRootEntryCount * kDirEntrySize / kSectorSize;
  uint8_t* buffer = (uint8_t*)calloc(1, rootSectors * kSectorSize);
  if (!buffer) return kFat12NoMemory;
  buffer[0] = kMedia;
  buffer[1] = 0xFF;
  buffer[2] = 0xFF;
  bool ok = WriteImageSectors(output, kFatSectors, kReserved, buffer) == kFatSectors &&
            WriteImageSectors(output, kFatSectors, kReserved + kFatSectors, buffer) == kFatSectors;
  memset(buffer, 0, fatBytes);
  if (IsRealVolumeLabel(Bpb(kVolumeLabel))) PutLabelEntry(buffer);
  ok = ok && WriteImageSectors(output, rootSectors, kReserved + kFats * kFatSectors, buffer) == rootSectors;
  free(buffer);
  return ok ? kFat12Written : kFat12WriteFailed;
}

Fat12WriteResult WriteDataArea(FILE* output, uint32_t totalSectors) {
  uint8_t* chunk = (uint8_t*)malloc(kDataChunkSectors * kSectorSize);
  if (!chunk) return kFat12NoMemory;
  memset(chunk, kDataFill, kDataChunkSectors * kSectorSize);
  const uint32_t firstData = kReserved + kFats * kFatSectors + kRootEntryCount * kDirEntrySize / kSectorSize;
  bool ok = true;
  for (uint32_t sector = firstData; ok && sector < totalSectors; sector += kDataChunkSectors) {
    uint32_t count = totalSectors - sector < kDataChunkSectors ? totalSectors - sector : kDataChunkSectors;
    ok = WriteImageSectors(output, count, sector, chunk) == count;
  }
  free(chunk);
  return ok ? kFat12Written : kFat12WriteFailed;
}

// The first band whose bound is at least the size; null above 46080 KB.
const ImageSizeBand* FindImageSizeBand(int sizeKb) {
  for (const ImageSizeBand& band : kSizeTable) {
    if (sizeKb <= band.upToKb) return &band;
  }
  return nullptr;
}

}  // namespace

uint32_t WriteImageSectors(FILE* output, uint32_t count, uint32_t firstSector, const uint8_t* data) {
  if (!SeekStream64(output, (int64_t)firstSector * kSectorSize)) return 0;
  return (uint32_t)fwrite(data, kSectorSize, count, output);
}

Fat12WriteResult WriteFat12Image(FILE* output, int sizeKb) {
  const ImageSizeBand* band = FindImageSizeBand(sizeKb);
  if (!band || sizeKb < kMinNewImageKb) return kFat12SizeRefused;
  const uint32_t totalSectors = 2u * (uint32_t)sizeKb;
  FillBpb(*band, totalSectors);
  if (!WriteBootSector(output)) return kFat12WriteFailed;
  Fat12WriteResult result = WriteSystemArea(output);
  if (result != kFat12Written) return result;
  return WriteDataArea(output, totalSectors);
}
