// Restorers: a converted file (top row first) written back as a marked
// bottom-up bitmap.
#include "menu/bitmap_restore.h"

#include <cstdio>

#include "menu/bitmap_8bit.h"
#include "menu/bitmap_depth.h"
#include "menu/document.h"
#include "platform/file_times.h"
#include "platform/files.h"

static bool IsScreenSize(const BitmapInfo& info) {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  return info.width == screen.width && info.height == screen.height &&
         info.width <= kMaxBitmapWidth;
}

// Opens the converted file beside the bitmap; null when the bitmap must
// not or cannot be rebuilt (bitmapExists tells which).
static FILE* OpenConverted(const char* path, const char* ext, char* convertedPath, size_t size,
                           bool* bitmapExists) {
  *bitmapExists = PathExists(path);
  if (*bitmapExists) return nullptr;
  if (!ReplaceExtension(convertedPath, size, path, ext)) return nullptr;
  return fopen(convertedPath, "rb");
}

// Creates the bitmap once the converted file's header has passed (code is
// kBitmapDone); otherwise, or when the bitmap cannot be created, closes the
// converted file, returns null and leaves the reason in code.
static FILE* CreateRestored(FILE* converted, const char* path, int* code) {
  if (*code == kBitmapDone) {
    FILE* bitmap = CreateBitmapFile(path);
    if (bitmap != nullptr) return bitmap;
    *code = kBitmapOpenError;
  }
  fclose(converted);
  return nullptr;
}

// Closes both files; a finished bitmap takes the time of the converted
// file, a failed one is removed.
static int FinishRestore(FILE* converted, const char* convertedPath, FILE* bitmap,
                         const char* path, int code) {
  fclose(converted);
  code = FinishOutputFile(bitmap, path, code);
  if (code == kBitmapDone) {
    int64_t modified = GetFileModifiedTime(convertedPath);
    if (modified >= 0) SetFileTimes(path, modified);
  }
  return code;
}

int RestoreBitmapFromBM1(const char* path) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  char convertedPath[kPathSize];
  bool exists;
  FILE* converted = OpenConverted(path, "BM1", convertedPath, sizeof convertedPath, &exists);
  if (exists) return kBitmapDone;
  if (converted == nullptr) return kBitmapOpenError;
  BitmapInfo info;
  int code = ReadBitmapHeader(converted, &info);
  if (code == kBitmapDone && !IsScreenSize(info)) code = kBitmapSizeError;
  if (code == kBitmapDone && info.bitsPerPixel > 8) code = kBitmapFormatError;
  FILE* bitmap = CreateRestored(converted, path, &code);
  if (bitmap == nullptr) return code;
  code = WriteMarkedPlainHeader(bitmap, &info, 4);
  uint8_t row[kMaxBitmapWidth];
  for (int32_t i = 0; code == kBitmapDone && i < info.height; ++i) {
    code = ReadBitmapRow(row, info.width, info.bitsPerPixel, converted);
    if (code == kBitmapDone) code = WriteConvertedRow(bitmap, info, info.height - 1 - i, row);
  }
  return FinishRestore(converted, convertedPath, bitmap, path, code);
}

static int RestoreFromDepth(DepthMember member, const char* path) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  char convertedPath[kPathSize];
  bool exists;
  FILE* converted =
      OpenConverted(path, DepthExtension(member), convertedPath, sizeof convertedPath, &exists);
  if (exists) return kBitmapDone;
  if (converted == nullptr) return kBitmapOpenError;
  BitmapInfo info;
  int code = ReadDepthHeader(member, converted, &info);
  if (code == kBitmapDone && !IsScreenSize(info)) code = kBitmapSizeError;
  FILE* bitmap = CreateRestored(converted, path, &code);
  if (bitmap == nullptr) return code;
  BitmapInfo output = info;
  code = WriteRestoredHeader(member, bitmap, &output);
  uint8_t row[kMaxBitmapWidth * 3];
  for (int32_t i = 0; code == kBitmapDone && i < info.height; ++i) {
    code = ReadDepthRow(member, row, info.width, info.bitsPerPixel, converted);
    if (code == kBitmapDone) code = WriteImageRow(member, bitmap, output, info.height - 1 - i, row);
  }
  return FinishRestore(converted, convertedPath, bitmap, path, code);
}

int RestoreBackgroundFrom15Bit(const char* path) { return RestoreFromDepth(kDepth15, path); }
int RestoreBackgroundFrom24Bit(const char* path) { return RestoreFromDepth(kDepth24, path); }

void RestoreBootImage(const char* path) {
  switch (TheDocument.ColorMode) {
    case kColors256: RestoreBitmapFromBM1(path); break;
    case kColors64K: RestoreBackgroundFrom15Bit(path); break;
    case kColors16M: RestoreBackgroundFrom24Bit(path); break;
    default: break;
  }
}
