// In-place conversion of a background to a marked plain 8-bit bitmap.
#include "menu/bitmap_in_place.h"

#include <cstdio>

#include "menu/bitmap_8bit.h"
#include "menu/document.h"
#include "platform/file_times.h"
#include "platform/files.h"

// Copies every row of the source into the temporary file in file order.
static int CopyRows(FILE* source, FILE* temp, BitmapInfo* info) {
  int code = WriteMarkedPlainHeader(temp, info, 1);
  uint8_t row[kMaxBitmapWidth];
  for (int32_t i = 0; code == kBitmapDone && i < info->height; ++i) {
    code = ReadBitmapRow(row, info->width, info->bitsPerPixel, source);
    if (code == kBitmapDone) code = WriteConvertedRow(temp, *info, i, row);
  }
  return code;
}

int ConvertBitmapInPlace(const char* path) {
  if (path == nullptr || path[0] == '\0') return kBitmapOpenError;
  FILE* source = fopen(path, "rb");
  if (source == nullptr) return kBitmapOpenError;
  BitmapTables.NeedsConversion = true;
  BitmapInfo info;
  int code = ReadBitmapHeader(source, &info);
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  if (code == kBitmapDone && (info.width != screen.width || info.height != screen.height ||
                              info.width > kMaxBitmapWidth)) {
    code = kBitmapSizeError;
  }
  if (code == kBitmapDone && info.bitsPerPixel > 8) code = kBitmapFormatError;
  if (code != kBitmapDone || !BitmapTables.NeedsConversion) {
    fclose(source);
    return code;
  }

  char tempPath[kPathSize];
  FILE* temp = nullptr;
  if (ReplaceExtension(tempPath, sizeof tempPath, path, "BMI")) temp = CreateBitmapFile(tempPath);
  if (temp == nullptr) {
    fclose(source);
    return kBitmapOpenError;
  }
  code = CopyRows(source, temp, &info);
  fclose(source);
  code = FinishOutputFile(temp, tempPath, code);
  if (code != kBitmapDone) return code;

  // The finished picture replaces the source in one rename, so that the
  // bitmap is never missing: on failure the source stays as it was.
  int64_t modified = GetFileModifiedTime(path);
  MakeFileWritable(path);
  if (modified >= 0) SetFileTimes(tempPath, modified);
  if (!RenameFileTo(tempPath, path)) {
    DeleteFileAt(tempPath);
    return kBitmapOpenError;
  }
  return kBitmapDone;
}
