// Header parsing and writing, row lengths and output naming shared by the
// bitmap converters.
#include "menu/bitmap_format.h"

#include <climits>
#include <cstring>

#include "platform/files.h"
#include "platform/work_file.h"

int ReadBitmapHeaders(FILE* file, BitmapHeaders* headers) {
  uint8_t bytes[kHeadersSize];
  if (fread(bytes, 1, kFileHeaderSize, file) != kFileHeaderSize) return kBitmapHeaderError;
  bool bm = bytes[kFileType] == 'B' && bytes[kFileType + 1] == 'M';
  bool tw = bytes[kFileType] == 'T' && bytes[kFileType + 1] == 'W';
  if (!bm && !tw) return kBitmapFormatError;
  if (fread(bytes + kFileHeaderSize, 1, kInfoHeaderSize, file) != kInfoHeaderSize) {
    return kBitmapHeaderError;
  }
  // Where the palette starts depends on the header's size; a header of
  // another kind (OS/2, core) would have its colours taken from the wrong
  // bytes, so it is refused.
  const uint32_t infoSize = get32le(bytes + kInfoSize);
  bool known = false;
  for (uint32_t size : kKnownInfoHeaderSizes) known = known || size == infoSize;
  if (!known) return kBitmapFormatError;
  headers->reserved1 = get16le(bytes + kFileReserved1);
  headers->reserved2 = get16le(bytes + kFileReserved2);
  headers->dataOffset = get32le(bytes + kFileDataOffset);
  headers->width = (int32_t)get32le(bytes + kInfoWidth);
  headers->height = (int32_t)get32le(bytes + kInfoHeight);
  headers->bitsPerPixel = get16le(bytes + kInfoBitsPerPixel);
  headers->compression = get32le(bytes + kInfoCompression);
  if (headers->compression != 0) return kBitmapFormatError;
  if (infoSize != kInfoHeaderSize &&
      fseek(file, (long)(kFileHeaderSize + infoSize), SEEK_SET) != 0) {
    return kBitmapHeaderError;
  }
  return kBitmapDone;
}

int ReadPaletteEntries(FILE* file, int count, RgbColor* out) {
  for (int i = 0; i < count; ++i) {
    uint8_t entry[4];
    if (fread(entry, 1, 4, file) != 4) return kBitmapDataError;
    out[i].blue = entry[0];
    out[i].green = entry[1];
    out[i].red = entry[2];
  }
  return kBitmapDone;
}

int SeekToPixelData(FILE* file, uint32_t offset) {
  if (offset > (uint32_t)LONG_MAX) return kBitmapDataError;
  return fseek(file, (long)offset, SEEK_SET) == 0 ? kBitmapDone : kBitmapDataError;
}

size_t SourceRowBytes(int32_t width, int32_t bits) {
  if (width < 1 || width > kMaxBitmapWidth) return 0;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24) return 0;
  return (((size_t)width * (size_t)bits + 31) / 32) * 4;
}

void BuildBitmapHeaders(uint8_t* out, const char type[2], uint32_t fileSize, bool marked,
                        uint32_t dataOffset, int32_t width, int32_t height, uint16_t bits,
                        uint32_t imageSize) {
  memset(out, 0, kHeadersSize);
  out[kFileType] = (uint8_t)type[0];
  out[kFileType + 1] = (uint8_t)type[1];
  put32le(out + kFileSize, fileSize);
  put16le(out + kFileReserved1, marked ? kMarkReserved1 : 0);
  put16le(out + kFileReserved2, marked ? kMarkReserved2 : 0);
  put32le(out + kFileDataOffset, dataOffset);
  put32le(out + kInfoSize, (uint32_t)kInfoHeaderSize);
  put32le(out + kInfoWidth, (uint32_t)width);
  put32le(out + kInfoHeight, (uint32_t)height);
  put16le(out + kInfoPlanes, 1);
  put16le(out + kInfoBitsPerPixel, bits);
  put32le(out + kInfoCompression, 0);
  put32le(out + kInfoImageSize, imageSize);
}

bool WriteBitmapHeaders(FILE* file, const char type[2], uint32_t fileSize, bool marked,
                        uint32_t dataOffset, int32_t width, int32_t height, uint16_t bits,
                        uint32_t imageSize) {
  uint8_t bytes[kHeadersSize];
  BuildBitmapHeaders(bytes, type, fileSize, marked, dataOffset, width, height, bits, imageSize);
  return fwrite(bytes, 1, kHeadersSize, file) == kHeadersSize;
}

// Compares two paths as the Windows file system does, ignoring ASCII case.
static bool SamePathText(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int ca = (unsigned char)*a, cb = (unsigned char)*b;
    if (ca >= 'a' && ca <= 'z') ca -= 32;
    if (cb >= 'a' && cb <= 'z') cb -= 32;
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
}

// Start of the file name: just after the last separator of either kind.
static const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

bool ReplaceExtension(char* out, size_t size, const char* path, const char* ext) {
  if (size == 0) return false;
  out[0] = '\0';
  if (path == nullptr || ext == nullptr) return false;
  const char* name = FileNamePart(path);
  const char* dot = strrchr(name, '.');
  size_t stem = dot != nullptr ? (size_t)(dot - path) : strlen(path);
  size_t needed = stem + 1 + strlen(ext);
  if (needed + 1 > size) return false;
  memcpy(out, path, stem);
  out[stem] = '.';
  strcpy(out + stem + 1, ext);
  if (SamePathText(out, path)) {
    out[0] = '\0';
    return false;
  }
  return true;
}

FILE* CreateBitmapFile(const char* path) { return OpenWorkFile(path); }

int FinishOutputFile(FILE* file, const char* path, int code) {
  if (!CommitWorkFile(file, path, code == kBitmapDone, -1) && code == kBitmapDone) code = kBitmapDataError;
  return code;
}
