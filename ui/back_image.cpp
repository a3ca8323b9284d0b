#include "ui/back_image.h"

#include <cstdio>
#include <cstring>

#include "app/language.h"
#include "app/string_ids.h"
#include "menu/bitmap_checks.h"
#include "menu/bitmap_format.h"
#include "menu/bitmap_in_place.h"
#include "menu/bitmap_restore.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

// The text of id with its "%d" tokens replaced by first and second in
// turn. The text may come from a language pack, so it is never used as a
// format.
void ComposeNumbers(char* out, size_t size, int id, int first, int second) {
  const char* text = GetString(id);
  const int numbers[2] = {first, second};
  int used = 0;
  size_t at = 0;
  while (*text != '\0' && at + 1 < size) {
    if (used < 2 && text[0] == '%' && text[1] == 'd') {
      at += snprintf(out + at, size - at, "%d", numbers[used++]);
      if (at >= size) at = size - 1;
      text += 2;
    } else {
      out[at++] = *text++;
    }
  }
  out[at] = '\0';
}

// The message for a refused background, by bitmap result code; none for
// a memory failure.
void ReportBackImage(int code) {
  const MenuDocument& doc = TheDocument;
  char text[600];
  switch (code) {
    case kBitmapOpenError: ComposeNumbers(text, sizeof text, kStrBackgroundOpenError, 0, 0); break;
    case kBitmapFormatError:
      ComposeNumbers(text, sizeof text, kStrBackgroundFormatError, doc.ColorMode == kColors16 ? 16 : 256, 0);
      break;
    case kBitmapHeaderError:
    case kBitmapDataError: ComposeNumbers(text, sizeof text, kStrBackgroundReadError, 0, 0); break;
    case kBitmapSizeError:
      ComposeNumbers(text, sizeof text, kStrBackgroundSizeError, doc.MenuScreenSize.width,
                     doc.MenuScreenSize.height);
      break;
    default: return;
  }
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionPrompt),
                 kMbOk | kMbIconInformation);
}

// The check of the colour mode: 0 when the file may be loaded.
int CheckBackImage(const char* path) {
  switch (TheDocument.ColorMode) {
    case kColors256: return ConvertBitmapInPlace(path);
    case kColors16: return CheckBackgroundBitmap(path);
    default: return kBitmapDone;
  }
}

}  // namespace

void LoadBackImage(BackImage& image) {
  const MenuDocument& doc = TheDocument;
  char path[kPathSize + kShortFileNameSize + 1];
  snprintf(path, sizeof path, "%.*s\\%.*s", kPathSize - 1, doc.MenuFileDir,
           kShortFileNameSize - 1, doc.BackImageName);
  RestoreBootImage(path);
  if (!FileExists(path)) {
    if (doc.BackImageOn) ReportBackImage(kBitmapOpenError);
    return;
  }
  int code = CheckBackImage(path);
  if (code == kBitmapDone) {
    // A file that passed its check (or needs none) but that the system
    // cannot read as a bitmap is reported as unreadable, not ignored.
    HBITMAP bitmap = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    BITMAP info;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof info, &info) == (int)sizeof info) {
      ReleaseBackImage(image);
      image.bitmap = bitmap;
      image.width = info.bmWidth;
      image.height = info.bmHeight;
      return;
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    code = kBitmapDataError;
  }
  if (doc.BackImageOn) ReportBackImage(code);
}

void CopyBackImage(HDC dc, const BackImage& image, int32_t width, int32_t height) {
  if (image.bitmap == nullptr) return;
  if (width > image.width) width = image.width;
  if (height > image.height) height = image.height;
  if (width <= 0 || height <= 0) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ before = SelectObject(source, image.bitmap);
  BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  SelectObject(source, before);
  DeleteDC(source);
}

void ReleaseBackImage(BackImage& image) {
  if (image.bitmap != nullptr) DeleteObject(image.bitmap);
  image = BackImage{nullptr, 0, 0};
}
