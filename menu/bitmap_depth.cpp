// The 16-bit, 15-bit and 24-bit converters. One implementation serves all
// three members; they differ only in the pixel format and the extension.
#include "menu/bitmap_depth.h"

#include <cstring>

#include "menu/document.h"

// Each member's colour table, in its pixel format.
static uint8_t DepthColorTable[3][256][3];

int DepthPixelBytes(DepthMember member) { return member == kDepth24 ? 3 : 2; }

const char* DepthExtension(DepthMember member) {
  switch (member) {
    case kDepth16: return "BM2";
    case kDepth15: return "B15";
    default: return "BM3";
  }
}

static uint16_t DepthBits(DepthMember member) { return member == kDepth24 ? 24 : 16; }

void EncodeDepthColor(DepthMember member, uint8_t red, uint8_t green, uint8_t blue, uint8_t* out) {
  switch (member) {
    case kDepth16:
      put16le(out, (uint32_t)((red >> 3) << 11 | (green >> 3) << 6 | (blue >> 3)));
      break;
    case kDepth15:
      put16le(out, (uint32_t)((red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3)));
      break;
    case kDepth24:
      out[0] = blue;
      out[1] = green;
      out[2] = red;
      break;
  }
}

void EncodeDepthPixel16(DepthMember member, uint16_t value, uint8_t* out) {
  uint32_t r5 = (value >> 10) & 31, g5 = (value >> 5) & 31, b5 = value & 31;
  switch (member) {
    case kDepth16:
      put16le(out, r5 << 11 | g5 << 6 | b5);
      break;
    case kDepth15:
      put16le(out, r5 << 10 | g5 << 5 | b5);
      break;
    case kDepth24:
      out[0] = (uint8_t)(b5 << 3);
      out[1] = (uint8_t)(g5 << 3);
      out[2] = (uint8_t)(r5 << 3);
      break;
  }
}

int ReadDepthHeader(DepthMember member, FILE* file, BitmapInfo* info) {
  BitmapHeaders headers;
  int code = ReadBitmapHeaders(file, &headers);
  if (code != kBitmapDone) return code;
  int bits = headers.bitsPerPixel;
  if (bits == 1 || bits == 4 || bits == 8) {
    int count = 1 << bits;
    RgbColor palette[256];
    code = ReadPaletteEntries(file, count, palette);
    if (code != kBitmapDone) return code;
    for (int k = 0; k < count; ++k) {
      EncodeDepthColor(member, palette[k].red, palette[k].green, palette[k].blue,
                       DepthColorTable[member][k]);
    }
  } else if (bits != 16 && bits != 24) {
    return kBitmapFormatError;
  }
  *info = {headers.width, headers.height, 0, bits, 0};
  return SeekToPixelData(file, headers.dataOffset);
}

int ReadDepthRow(DepthMember member, uint8_t* out, int32_t width, int32_t bits, FILE* file) {
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24) return kBitmapFormatError;
  size_t rowBytes = SourceRowBytes(width, bits);
  if (rowBytes == 0) return kBitmapDataError;
  uint8_t row[kMaxSourceRowBytes];
  if (fread(row, 1, rowBytes, file) != rowBytes) return kBitmapDataError;
  int pixelBytes = DepthPixelBytes(member);
  const uint8_t(*table)[3] = DepthColorTable[member];
  for (int32_t i = 0; i < width; ++i) {
    uint8_t* pixel = out + (size_t)i * pixelBytes;
    switch (bits) {
      case 1:
        memcpy(pixel, table[(row[i >> 3] >> (7 - (i & 7))) & 1], pixelBytes);
        break;
      case 4:
        memcpy(pixel, table[(i & 1) ? (row[i >> 1] & 0x0F) : (row[i >> 1] >> 4)], pixelBytes);
        break;
      case 8:
        memcpy(pixel, table[row[i]], pixelBytes);
        break;
      case 16:
        EncodeDepthPixel16(member, get16le(row + 2 * i), pixel);
        break;
      default: {
        const uint8_t* bgr = row + 3 * i;
        EncodeDepthColor(member, bgr[2], bgr[1], bgr[0], pixel);
        break;
      }
    }
  }
  return kBitmapDone;
}

static uint32_t RowLength(DepthMember member, const BitmapInfo& info) {
  return (uint32_t)info.width * (uint32_t)DepthPixelBytes(member);
}

int WriteImageHeader(DepthMember member, FILE* file, BitmapInfo* info) {
  uint8_t header[kConvertedDataOffset];
  memset(header, 0, sizeof header);
  uint32_t imageSize = RowLength(member, *info) * (uint32_t)info->height;
  BuildBitmapHeaders(header, "TW", kConvertedDataOffset + imageSize, false, kConvertedDataOffset,
                     info->width, info->height, DepthBits(member), imageSize);
  info->dataOffset = (int32_t)kConvertedDataOffset;
  if (fwrite(header, 1, sizeof header, file) != sizeof header) return kBitmapHeaderError;
  return kBitmapDone;
}

int WriteRestoredHeader(DepthMember member, FILE* file, BitmapInfo* info) {
  uint32_t imageSize = RowLength(member, *info) * (uint32_t)info->height;
  info->dataOffset = (int32_t)kHeadersSize;
  if (!WriteBitmapHeaders(file, "BM", (uint32_t)kHeadersSize + imageSize, true,
                          (uint32_t)kHeadersSize, info->width, info->height, DepthBits(member),
                          imageSize)) {
    return kBitmapHeaderError;
  }
  return kBitmapDone;
}

int WriteImageRow(DepthMember member, FILE* file, const BitmapInfo& info, int32_t row,
                  const uint8_t* data) {
  uint32_t length = RowLength(member, info);
  long offset = (long)info.dataOffset + (long)row * (long)length;
  if (fseek(file, offset, SEEK_SET) != 0) return kBitmapDataError;
  if (fwrite(data, 1, length, file) != length) return kBitmapDataError;
  return kBitmapDone;
}

static int ConvertImageToDepth(DepthMember member, const char* path) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  FILE* source = fopen(path, "rb");
  if (source == nullptr) return kBitmapOpenError;
  char outPath[kPathSize];
  FILE* out = nullptr;
  if (ReplaceExtension(outPath, sizeof outPath, path, DepthExtension(member))) {
    out = CreateBitmapFile(outPath);
  }
  if (out == nullptr) {
    fclose(source);
    return kBitmapOpenError;
  }
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  BitmapInfo info;
  int code = ReadDepthHeader(member, source, &info);
  // These modes report every header problem of the source as a size error.
  if (code != kBitmapDone || info.width != screen.width || info.height != screen.height ||
      info.width > kMaxBitmapWidth) {
    code = kBitmapSizeError;
  }
  if (code == kBitmapDone) code = WriteImageHeader(member, out, &info);
  uint8_t row[kMaxBitmapWidth * 3];
  for (int32_t i = 0; code == kBitmapDone && i < info.height; ++i) {
    code = ReadDepthRow(member, row, info.width, info.bitsPerPixel, source);
    if (code == kBitmapDone) code = WriteImageRow(member, out, info, info.height - 1 - i, row);
  }
  fclose(source);
  return FinishOutputFile(out, outPath, code);
}

int ConvertImageTo16Bit(const char* path) { return ConvertImageToDepth(kDepth16, path); }
int ConvertImageTo15Bit(const char* path) { return ConvertImageToDepth(kDepth15, path); }
int ConvertImageTo24Bit(const char* path) { return ConvertImageToDepth(kDepth24, path); }
