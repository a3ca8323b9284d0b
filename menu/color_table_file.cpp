// Writer and reader of the colour-table file, and the colours of a
// 16-colour bitmap's palette.
#include "menu/color_table_file.h"

#include <cstdio>
#include <cstring>

#include "app/language.h"
#include "app/string_ids.h"
#include "menu/bitmap_checks.h"
#include "menu/bitmap_format.h"
#include "menu/document.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/work_file.h"

// The text of id with its first occurrence of token replaced by value. The
// text comes from a language pack, so it is never used as a format.
static void ComposeMessage(char* out, size_t size, int id, const char* token, const char* value) {
  const char* text = GetString(id);
  const char* at = strstr(text, token);
  if (at == nullptr) {
    snprintf(out, size, "%s", text);
  } else {
    snprintf(out, size, "%.*s%s%s", (int)(at - text), text, value, at + strlen(token));
  }
}

static void ShowFileError(void* owner, int id, const char* path) {
  char text[1024 + 256];
  ComposeMessage(text, sizeof text, id, "%s", path);
  ShowMessageBox(owner, text, GetString(kStrCaptionError), kMbOk | kMbIconError);
}

static void ShowBitmapMessage(void* owner, int id, const char* number) {
  char text[512];
  ComposeMessage(text, sizeof text, id, "%d", number);
  ShowMessageBox(owner, text, GetString(kStrCaptionPrompt), kMbOk | kMbIconInformation);
}

// The 604 bytes of the file for a table.
static void BuildColorTableFile(uint8_t* out, const ColorTable& table) {
  memcpy(out, kColorTableSignature, kColorTableSignatureSize);
  put32le(out + kColorTableCountOffset, kColorTableCount);
  for (uint32_t i = 0; i < kColorTableCount; ++i) {
    uint8_t* entry = out + kColorTableEntriesOffset + i * kColorTableEntrySize;
    put32le(entry, table[i].color);
    memcpy(entry + 4, table[i].name, kColorNameSize);
  }
}

// Copies what an existing file holds behind the table into the new file,
// so that saving over a longer file keeps its tail. True when all of it
// was copied (or there is none).
static bool CopyOldTail(const char* path, FILE* out) {
  if (GetFileSize64(path) <= (int64_t)kColorTableFileSize) return true;
  FILE* old = fopen(path, "rb");
  if (old == nullptr || fseek(old, (long)kColorTableFileSize, SEEK_SET) != 0) {
    if (old) fclose(old);
    return false;
  }
  uint8_t buffer[4096];
  bool ok = true;
  for (size_t got; ok && (got = fread(buffer, 1, sizeof buffer, old)) > 0;) ok = fwrite(buffer, 1, got, out) == got;
  ok = ok && !ferror(old);
  fclose(old);
  return ok;
}

// The table is written to a work file that replaces the old file only when
// complete: a full disk leaves the old file (or none) and a message.
bool SaveColorTable(const char* path, void* owner) {
  if (path == nullptr || path[0] == '\0') return false;
  FILE* file = OpenWorkFile(path);
  if (file == nullptr) {
    ShowFileError(owner, kStrFileCreateError, path);
    return false;
  }
  uint8_t bytes[kColorTableFileSize];
  BuildColorTableFile(bytes, TheDocument.CurrentColorTable);
  bool written = fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes && CopyOldTail(path, file);
  if (!CommitWorkFile(file, path, written, -1)) {
    ShowFileError(owner, kStrFileCreateError, path);
    return false;
  }
  return true;
}

bool LoadColorTable(const char* path, void* owner) {
  if (path == nullptr || path[0] == '\0') return false;
  if (!FileExists(path)) {
    ShowFileError(owner, kStrFileNotExist, path);
    return false;
  }
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    ShowFileError(owner, kStrFileOpenError, path);
    return false;
  }
  uint8_t bytes[kColorTableFileSize];
  size_t got = fread(bytes, 1, sizeof bytes, file);
  fclose(file);
  // The whole table must be there: a short file would replace only part
  // of it.
  if (got != sizeof bytes || memcmp(bytes, kColorTableSignature, kColorTableSignatureSize) != 0 ||
      get32le(bytes + kColorTableCountOffset) != kColorTableCount) {
    ShowFileError(owner, kStrNotColorTable, path);
    return false;
  }
  ColorTable& table = TheDocument.CurrentColorTable;
  for (uint32_t i = 0; i < kColorTableCount; ++i) {
    const uint8_t* entry = bytes + kColorTableEntriesOffset + i * kColorTableEntrySize;
    table[i].color = get32le(entry);
    memcpy(table[i].name, entry + 4, kColorNameSize);
    table[i].name[kColorNameSize - 1] = '\0';  // a name from a file may lack its end
  }
  return true;
}

bool LoadColorTableFromBmp(const char* path, void* owner) {
  uint8_t palette[48];
  int code = ReadBitmapPalette16(path, palette);
  if (code == kBitmapDone) {
    for (int i = 0; i < kColorCount; ++i) {
      const uint8_t* rgb = palette + 3 * i;
      TheDocument.CurrentColorTable[i].color =
          (uint32_t)rgb[0] | ((uint32_t)rgb[1] << 8) | ((uint32_t)rgb[2] << 16);
    }
    return true;
  }
  switch (code) {
    case kBitmapOpenError: ShowBitmapMessage(owner, kStrBitmapOpenError, ""); break;
    case kBitmapFormatError: ShowBitmapMessage(owner, kStrBitmapFormatError, "16"); break;
    case kBitmapHeaderError:
    case kBitmapDataError: ShowBitmapMessage(owner, kStrBitmapReadError, ""); break;
    default: break;
  }
  return false;
}
