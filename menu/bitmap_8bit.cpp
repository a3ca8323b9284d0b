// The 8-bit bitmap reader, the ".BM1" converted file and its palette
// reduction, and the marked plain 8-bit bitmap header.
#include "menu/bitmap_8bit.h"

#include <algorithm>
#include <cstring>

#include "menu/document.h"

EightBitTables BitmapTables = {
    {{0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
     {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0x80, 0x80, 0x80},
     {0xC0, 0xC0, 0xC0}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
     {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}},
    {},
    {},
    {},
    true,
};

// Layout of the ".BM1" file and of the marked plain bitmap.
const size_t kPaletteBytes = 256 * 4;
const uint32_t kPlainDataOffset = (uint32_t)(kHeadersSize + kPaletteBytes);  // 1078

void SetPaletteReference(const uint32_t colors[16]) {
  for (int i = 0; i < 16; ++i) {
    BitmapTables.PaletteReference[i].red = (uint8_t)(colors[i] & 0xFF);
    BitmapTables.PaletteReference[i].green = (uint8_t)((colors[i] >> 8) & 0xFF);
    BitmapTables.PaletteReference[i].blue = (uint8_t)((colors[i] >> 16) & 0xFF);
  }
}

int ReadBitmapHeader(FILE* file, BitmapInfo* info) {
  EightBitTables& t = BitmapTables;
  BitmapHeaders headers;
  int code = ReadBitmapHeaders(file, &headers);
  if (code != kBitmapDone) return code;
  if (headers.reserved1 == kMarkReserved1 && headers.reserved2 == kMarkReserved2) {
    t.NeedsConversion = false;
  }
  for (int k = 0; k < 256; ++k) t.RemapTable[k] = (uint8_t)k;
  int bits = headers.bitsPerPixel;
  if (bits == 1 || bits == 4) {
    int count = bits == 1 ? 2 : 16;
    memset(t.WorkPalette, 0, sizeof t.WorkPalette);
    memcpy(t.WorkPalette, t.PaletteReference, sizeof t.PaletteReference);
    code = ReadPaletteEntries(file, count, t.WorkPalette + 16);
    if (code != kBitmapDone) return code;
    for (int k = 0; k < count; ++k) t.RemapTable[k] = (uint8_t)(16 + k);
  } else if (bits == 8) {
    code = ReadPaletteEntries(file, 256, t.WorkPalette);
    if (code != kBitmapDone) return code;
    for (int k = 0; k < 256; ++k) t.UseCounts[k] = {(uint8_t)k, 0};
  } else {
    return kBitmapFormatError;
  }
  *info = {headers.width, headers.height, 0, bits, 0};
  return SeekToPixelData(file, headers.dataOffset);
}

int ReadBitmapRow(uint8_t* out, int32_t width, int32_t bits, FILE* file) {
  if (bits != 1 && bits != 4 && bits != 8) return kBitmapFormatError;
  size_t rowBytes = SourceRowBytes(width, bits);
  if (rowBytes == 0) return kBitmapDataError;
  uint8_t row[kMaxSourceRowBytes];
  if (fread(row, 1, rowBytes, file) != rowBytes) return kBitmapDataError;
  const uint8_t* remap = BitmapTables.RemapTable;
  for (int32_t i = 0; i < width; ++i) {
    if (bits == 1) {
      out[i] = remap[(row[i >> 3] >> (7 - (i & 7))) & 1];
    } else if (bits == 4) {
      out[i] = remap[(i & 1) ? (row[i >> 1] & 0x0F) : (row[i >> 1] >> 4)];
    } else {
      out[i] = remap[row[i]];
      BitmapTables.UseCounts[out[i]].count++;
    }
  }
  return kBitmapDone;
}

int WriteConvertedHeader(FILE* file, BitmapInfo* info) {
  uint8_t header[kConvertedDataOffset];
  memset(header, 0, sizeof header);
  uint32_t imageSize = (uint32_t)info->width * (uint32_t)info->height;
  BuildBitmapHeaders(header, "TW", kConvertedDataOffset + imageSize, false, kConvertedDataOffset,
                     info->width, info->height, 8, imageSize);
  for (int k = 0; k < 256; ++k) {
    uint8_t* entry = header + kPaletteOffset + 4 * k;
    entry[0] = (uint8_t)(BitmapTables.WorkPalette[k].blue >> 2);
    entry[1] = (uint8_t)(BitmapTables.WorkPalette[k].green >> 2);
    entry[2] = (uint8_t)(BitmapTables.WorkPalette[k].red >> 2);
  }
  info->dataOffset = (int32_t)kConvertedDataOffset;
  if (fwrite(header, 1, sizeof header, file) != sizeof header) return kBitmapHeaderError;
  return kBitmapDone;
}

// Writes width bytes at dataOffset + row * width.
static int WriteIndexRow(FILE* file, const BitmapInfo& info, int32_t row, const uint8_t* data) {
  long offset = (long)info.dataOffset + (long)row * (long)info.width;
  if (fseek(file, offset, SEEK_SET) != 0) return kBitmapDataError;
  if (fwrite(data, 1, (size_t)info.width, file) != (size_t)info.width) return kBitmapDataError;
  return kBitmapDone;
}

int WriteConvertedRow(FILE* file, const BitmapInfo& info, int32_t row, const uint8_t* data) {
  return WriteIndexRow(file, info, row, data);
}

static int ColorDistance(const RgbColor& a, const RgbColor& b) {
  int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

static bool SameColor(const RgbColor& a, const RgbColor& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

void ReducePaletteByUse(FILE* file, const BitmapInfo& info) {
  EightBitTables& t = BitmapTables;
  // Count the uses; errors here are met again by the conversion pass.
  uint8_t row[kMaxBitmapWidth];
  for (int32_t i = 0; i < info.height; ++i) {
    if (ReadBitmapRow(row, info.width, info.bitsPerPixel, file) != kBitmapDone) break;
  }
  // Most used first; equal counts keep ascending source index.
  std::stable_sort(t.UseCounts, t.UseCounts + 256,
                   [](const ColorUse& a, const ColorUse& b) { return a.count > b.count; });
  RgbColor source[256];
  memcpy(source, t.WorkPalette, sizeof source);
  memcpy(t.WorkPalette, t.PaletteReference, sizeof t.PaletteReference);

  int next = 16;
  int j = 0;
  for (; j < 256; ++j) {
    uint8_t index = t.UseCounts[j].index;
    const RgbColor& c = source[index];
    int k = 0;
    while (k < 16 && !SameColor(c, t.WorkPalette[k])) ++k;
    if (k < 16) {
      t.RemapTable[index] = (uint8_t)k;
      continue;
    }
    t.WorkPalette[next] = c;
    t.RemapTable[index] = (uint8_t)next;
    ++next;
    if (next == 256) break;  // this entry is mapped again below
  }
  // The rarer colours take their nearest palette entry (lowest wins a tie).
  for (; j < 256; ++j) {
    uint8_t index = t.UseCounts[j].index;
    int best = 0;
    int bestDistance = ColorDistance(source[index], t.WorkPalette[0]);
    for (int k = 1; k < 256; ++k) {
      int d = ColorDistance(source[index], t.WorkPalette[k]);
      if (d < bestDistance) {
        best = k;
        bestDistance = d;
      }
    }
    t.RemapTable[index] = (uint8_t)best;
  }
}

int WriteMarkedPlainHeader(FILE* file, BitmapInfo* info, int scale) {
  uint8_t header[kPlainDataOffset];
  memset(header, 0, sizeof header);
  uint32_t imageSize = (uint32_t)info->width * (uint32_t)info->height;
  BuildBitmapHeaders(header, "BM", kPlainDataOffset + imageSize, true, kPlainDataOffset,
                     info->width, info->height, 8, imageSize);
  for (int k = 0; k < 256; ++k) {
    uint8_t* entry = header + kPaletteOffset + 4 * k;
    entry[0] = (uint8_t)(BitmapTables.WorkPalette[k].blue * scale);
    entry[1] = (uint8_t)(BitmapTables.WorkPalette[k].green * scale);
    entry[2] = (uint8_t)(BitmapTables.WorkPalette[k].red * scale);
  }
  info->dataOffset = (int32_t)kPlainDataOffset;
  if (fwrite(header, 1, sizeof header, file) != sizeof header) return kBitmapHeaderError;
  return kBitmapDone;
}

int ConvertImageTo8Bit(const char* path, int reduce) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  FILE* source = fopen(path, "rb");
  if (source == nullptr) return kBitmapOpenError;
  char outPath[kPathSize];
  if (!ReplaceExtension(outPath, sizeof outPath, path, "BM1")) {
    fclose(source);
    return kBitmapOpenError;
  }
  FILE* out = CreateBitmapFile(outPath);
  if (out == nullptr) {
    fclose(source);
    return kBitmapOpenError;
  }
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  BitmapInfo info;
  int code = ReadBitmapHeader(source, &info);
  if (code == kBitmapDone && (info.width != screen.width || info.height != screen.height ||
                              info.width > kMaxBitmapWidth)) {
    code = kBitmapSizeError;
  }
  if (code == kBitmapDone && info.bitsPerPixel > 8) code = kBitmapFormatError;
  if (code == kBitmapDone && reduce == 1 && info.bitsPerPixel == 8) {
    long position = ftell(source);
    ReducePaletteByUse(source, info);
    if (position < 0 || fseek(source, position, SEEK_SET) != 0) code = kBitmapDataError;
  }
  if (code == kBitmapDone) code = WriteConvertedHeader(out, &info);
  uint8_t row[kMaxBitmapWidth];
  for (int32_t i = 0; code == kBitmapDone && i < info.height; ++i) {
    code = ReadBitmapRow(row, info.width, info.bitsPerPixel, source);
    if (code == kBitmapDone) code = WriteConvertedRow(out, info, info.height - 1 - i, row);
  }
  fclose(source);
  return FinishOutputFile(out, outPath, code);
}
