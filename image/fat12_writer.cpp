#include "image/fat12_writer.h"

#include <cstdlib>
#include <cstring>
#include "platform/time_seconds.h"

#include "image/fat_boot_sector.h"
#include "image/seed_image.h"
#include "platform/byte_order.h"
#include "platform/files.h"

uint8_t NewImageBpb[kNewImageBpbSize];

namespace {

// NewImageBpb holds boot sector bytes kBpbStart to kBootCode - 1.
enum { kBpbStart = kOemName };

enum { kSectorSize = 512, kLabelSize = 11 };

// What every new image shares.
const uint32_t kReserved = 1;
const uint32_t kFats = 2;
const uint8_t kDataFill = 0xF6;
const uint32_t kDataChunkSectors = 64;

// Directory entry of the volume label.
enum { kDirEntrySize = 32, kDirAttributes = 11, kDirTime = 22, kDirDate = 24 };
const uint8_t kAttrVolumeLabel = 0x08;

// The layout of one image: cluster size, root directory, media byte, FAT
// size and the geometry its boot code reads the disk by.
struct ImageLayout {
  uint32_t sectorsPerCluster;
  uint32_t rootEntries;
  uint8_t media;
  uint32_t fatSectors;
  uint32_t sectorsPerTrack;
  uint32_t heads;
};

// The standard floppy sizes get the layout DOS's FORMAT gives them, so
// that boot code reading by geometry finds every sector where a drive of
// that format has it.
struct StandardFloppy {
  int sizeKb;
  ImageLayout layout;
};
const StandardFloppy kStandardFloppies[] = {
    {360, {2, 112, 0xFD, 2, 9, 2}},   {720, {2, 112, 0xF9, 3, 9, 2}},  {1200, {1, 224, 0xF9, 7, 15, 2}},
    {1440, {1, 224, 0xF0, 9, 18, 2}}, {2880, {2, 240, 0xF0, 9, 36, 2}},
};

// Every other size: the first band of the size table whose bound is at
// least the size gives the cluster size and geometry; 224 root entries,
// media F0 and two 9-sector FATs, which cover the clusters at the top of
// each band.
const uint32_t kBandRootEntries = 224;
const uint8_t kBandMedia = 0xF0;
const uint32_t kBandFatSectors = 9;
struct ImageSizeBand {
  int upToKb;
  uint32_t sectorsPerCluster;
  uint32_t sectorsPerTrack;
  uint32_t heads;
};
const ImageSizeBand kSizeTable[] = {
    {1440, 1, 18, 2},   {2880, 2, 36, 2},    {5760, 4, 36, 4},
    {11520, 8, 36, 8},  {23040, 16, 36, 16}, {46080, 32, 36, 32},
};

uint8_t* Bpb(int offset) { return NewImageBpb + offset - kBpbStart; }

uint32_t RootSectors(const ImageLayout& layout) { return layout.rootEntries * kDirEntrySize / kSectorSize; }
uint32_t FirstDataSector(const ImageLayout& layout) {
  return kReserved + kFats * layout.fatSectors + RootSectors(layout);
}

void FillBpb(const ImageLayout& layout, uint32_t totalSectors) {
  memcpy(NewImageBpb, SeedBootSector + kBpbStart, kNewImageBpbSize);
  put16le(Bpb(kBytesPerSector), kSectorSize);
  *Bpb(kSectorsPerCluster) = (uint8_t)layout.sectorsPerCluster;
  put16le(Bpb(kReservedSectors), kReserved);
  *Bpb(kFatCount) = (uint8_t)kFats;
  put16le(Bpb(kRootEntries), layout.rootEntries);
  put16le(Bpb(kTotalSectors16), totalSectors < 65536 ? totalSectors : 0);
  *Bpb(kMediaDescriptor) = layout.media;
  put16le(Bpb(kSectorsPerFat16), layout.fatSectors);
  put16le(Bpb(kSectorsPerTrack), layout.sectorsPerTrack);
  put16le(Bpb(kHeads), layout.heads);
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

// Both FATs and the root directory, from one zeroed buffer that holds the
// larger of the two.
Fat12WriteResult WriteSystemArea(FILE* output, const ImageLayout& layout) {
  const uint32_t fatSectors = layout.fatSectors;
  const uint32_t rootSectors = RootSectors(layout);
  const uint32_t bufferSectors = fatSectors > rootSectors ? fatSectors : rootSectors;
  uint8_t* buffer = (uint8_t*)calloc(bufferSectors, kSectorSize);
  if (!buffer) return kFat12NoMemory;
  buffer[0] = layout.media;
  buffer[1] = 0xFF;
  buffer[2] = 0xFF;
  bool ok = WriteImageSectors(output, fatSectors, kReserved, buffer) == fatSectors &&
            WriteImageSectors(output, fatSectors, kReserved + fatSectors, buffer) == fatSectors;
  memset(buffer, 0, (size_t)bufferSectors * kSectorSize);
  if (IsRealVolumeLabel(Bpb(kVolumeLabel))) PutLabelEntry(buffer);
  ok = ok && WriteImageSectors(output, rootSectors, kReserved + kFats * fatSectors, buffer) == rootSectors;
  free(buffer);
  return ok ? kFat12Written : kFat12WriteFailed;
}

Fat12WriteResult WriteDataArea(FILE* output, const ImageLayout& layout, uint32_t totalSectors) {
  uint8_t* chunk = (uint8_t*)malloc(kDataChunkSectors * kSectorSize);
  if (!chunk) return kFat12NoMemory;
  memset(chunk, kDataFill, kDataChunkSectors * kSectorSize);
  bool ok = true;
  for (uint32_t sector = FirstDataSector(layout); ok && sector < totalSectors; sector += kDataChunkSectors) {
    uint32_t count = totalSectors - sector < kDataChunkSectors ? totalSectors - sector : kDataChunkSectors;
    ok = WriteImageSectors(output, count, sector, chunk) == count;
  }
  free(chunk);
  return ok ? kFat12Written : kFat12WriteFailed;
}

// The layout of a size: a standard floppy's own, else that of its band of
// the size table. False above 46080 KB.
bool FindImageLayout(int sizeKb, ImageLayout* layout) {
  for (const StandardFloppy& floppy : kStandardFloppies) {
    if (sizeKb == floppy.sizeKb) {
      *layout = floppy.layout;
      return true;
    }
  }
  for (const ImageSizeBand& band : kSizeTable) {
    if (sizeKb <= band.upToKb) {
      *layout = {band.sectorsPerCluster, kBandRootEntries, kBandMedia, kBandFatSectors, band.sectorsPerTrack,
                 band.heads};
      return true;
    }
  }
  return false;
}

}  // namespace

uint32_t WriteImageSectors(FILE* output, uint32_t count, uint32_t firstSector, const uint8_t* data) {
  if (!SeekStream64(output, (int64_t)firstSector * kSectorSize)) return 0;
  return (uint32_t)fwrite(data, kSectorSize, count, output);
}

Fat12WriteResult WriteFat12Image(FILE* output, int sizeKb) {
  ImageLayout layout;
  if (!FindImageLayout(sizeKb, &layout) || sizeKb < kMinNewImageKb) return kFat12SizeRefused;
  const uint32_t totalSectors = 2u * (uint32_t)sizeKb;
  FillBpb(layout, totalSectors);
  if (!WriteBootSector(output)) return kFat12WriteFailed;
  Fat12WriteResult result = WriteSystemArea(output, layout);
  if (result != kFat12Written) return result;
  return WriteDataArea(output, layout, totalSectors);
}
