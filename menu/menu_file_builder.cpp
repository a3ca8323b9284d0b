#include "menu/menu_file_builder.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/string_ids.h"
#include "app/text_helpers.h"
#include "menu/bitmap_checks.h"
#include "menu/command_resources.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/korvel_template.h"
#include "menu/menu_file_layout.h"
#include "menu/menu_file_writer.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

enum { kBitmapOpen = 1, kBitmapFormat = 2, kBitmapHeader = 3, kBitmapData = 4, kBitmapSize = 6 };

struct Section {
  uint32_t offset;
  uint32_t length;
};

void ShowBitmapMessage(const char* text) {
  if (QuietSave) return;
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionPrompt),
                 kMbIconInformation);
}

// Message for a failed logo or background check, by bitmap result code.
void ReportBitmapCheck(int code, bool logo) {
  const MenuDocument& doc = TheDocument;
  const int depth = doc.ColorMode == kColors16 ? 16 : 256;
  char text[1200];
  text[0] = 0;
  switch (code) {
    case kBitmapOpen:
      snprintf(text, sizeof text, "%s", GetString(logo ? kStrLogoOpenError : kStrBackgroundOpenError));
      break;
    case kBitmapFormat:
      snprintf(text, sizeof text, GetString(logo ? kStrLogoFormatError : kStrBackgroundFormatError), depth);
      break;
    case kBitmapHeader:
    case kBitmapData:
      snprintf(text, sizeof text, "%s", GetString(logo ? kStrLogoReadError : kStrBackgroundReadError));
      break;
    case kBitmapSize:
      if (logo && doc.ColorMode == kColors16) {
        snprintf(text, sizeof text, "%s", GetString(kStrLogo16ColorSizeError));
      } else {
        snprintf(text, sizeof text, GetString(logo ? kStrLogoSizeError : kStrBackgroundSizeError),
                 doc.MenuScreenSize.width, doc.MenuScreenSize.height);
      }
      break;
    default:
      return;
  }
  ShowBitmapMessage(text);
}

// True when the bitmap named name in the menu folder passed its check.
bool CheckMenuBitmap(const char* name, bool logo) {
  char path[2100];
  if (!JoinPath(path, sizeof path, TheDocument.MenuFileDir, name)) path[0] = 0;
  const int code = CheckBootImage(path, logo ? 0 : 1, logo ? 1 : 0);
  if (code != 0) ReportBitmapCheck(code, logo);
  return code == 0;
}

// A text of at most size - 1 characters into a fixed field, NUL-padded.
void PutField(uint8_t* field, size_t size, const char* text) {
  memset(field, 0, size);
  const size_t n = strnlen(text, size - 1);
  memcpy(field, text, n);
}

void PutLengthPrefixed(ByteBuffer& out, const char* text, size_t limit) {
  const size_t n = strnlen(text, limit);
  out.push_back(uint8_t(n));
  out.insert(out.end(), text, text + n);
}

void PutSettingsBlock(uint8_t* p) {
  const MenuDocument& doc = TheDocument;
  p[0] = doc.ItemCount[kMenuList];
  p[1] = doc.DefaultMenu;
  p[2] = doc.AccKeyMode;
  p[3] = doc.KeyTransfer;
  p[4] = doc.MouseOff;
  p[5] = uint8_t((doc.ColorMode & 0x0F) | (doc.Resolution & 0xF0));
  p[6] = doc.DefaultMenuOff;
}

void PutItemAreas(ByteBuffer& file) {
  const MenuDocument& doc = TheDocument;
  for (int i = 1; i <= doc.ItemCount[kMenuList]; ++i) {
    const MenuItemKeys& k = doc.menuKeys[i];
    uint8_t* p = &file[kMenuKeysArea + 6 * (i - 1)];
    p[0] = k.accKey;
    p[1] = k.up;
    p[2] = k.down;
    p[3] = k.left;
    p[4] = k.right;
    p[5] = k.tab;
    const MenuItemGeometry& g = doc.menuGeometry[i];
    p = &file[kMenuGeometryArea + 10 * (i - 1)];
    p[0] = g.normalColors;
    put16le(p + 1, g.x1);
    put16le(p + 3, g.y1);
    put16le(p + 5, g.x2);
    put16le(p + 7, g.y2);
    p[9] = g.highlightColors;
  }
  file[kLayoutArea] = doc.ItemCount[kLayoutList];
  for (int i = 1; i <= doc.ItemCount[kLayoutList]; ++i) {
    const LayoutItem& l = doc.layoutItems[i];
    uint8_t* p = &file[kLayoutArea + 1 + 11 * (i - 1)];
    put16le(p, l.x1);
    put16le(p + 2, l.y1);
    put16le(p + 4, l.x2);
    put16le(p + 6, l.y2);
    p[8] = l.edgeColors;
    p[9] = l.mainColor;
    p[10] = l.edgeWidth;
  }
}

// The logo time field as a number 0..99 (no number counts as 0).
uint8_t LogoTime() {
  const int seconds = TextToInt(TheDocumentView().GetFieldText(ViewField::txtLogoTime).c_str());
  return uint8_t(seconds < 0 ? 0 : seconds > 99 ? 99 : seconds);
}

void PutLogoBlock(uint8_t* p) {
  const MenuDocument& doc = TheDocument;
  const std::string logoName = TheDocumentView().GetFieldText(ViewField::txtLogoImg);
  p[0] = 1;
  PutField(p + kLogoFolderName, 9, doc.ImageFileDir);
  p[kLogoOnByte] = doc.LogoOn && CheckMenuBitmap(logoName.c_str(), true) ? 1 : 0;
  p[kLogoTimeByte] = LogoTime();
  PutField(p + kLogoFileName, kShortFileNameSize, logoName.c_str());
}

// The background's name, as the logo's, is the text its field shows: a
// name put in whole and never left is stored as shown.
void PutScreenBlock(uint8_t* p) {
  const MenuDocument& doc = TheDocument;
  const std::string backName = TheDocumentView().GetFieldText(ViewField::txtBackImg);
  p[kCounterOnByte] = doc.ShowCounter ? 1 : 0;
  put16le(p + kCounterY, doc.CounterY);
  put16le(p + kCounterX, doc.CounterX);
  p[kCounterColorsByte] = doc.CounterColors;
  p[kBackImageOnByte] = doc.BackImageOn && CheckMenuBitmap(backName.c_str(), false) ? 1 : 0;
  PutField(p + kBackImageNameField, kShortFileNameSize, backName.c_str());
  const PixelRect r = doc.ProgressRect;
  p[kProgressOnByte] = doc.ShowProgress ? 1 : 0;
  put16le(p + kProgressX, r.x1);
  put16le(p + kProgressY, r.y1);
  put16le(p + kProgressWidth, uint32_t(r.x2 - r.x1 + 1));
  put16le(p + kProgressHeight, uint32_t(r.y2 - r.y1 + 1));
  p[kProgressColorsByte] = doc.ProgressColors;
  p[kProgressEdgeColorByte] = doc.ProgressEdgeColor;
}

void PutColorTable(ByteBuffer& out) {
  out.push_back(kColorCount);
  for (const ColorEntry& e : TheDocument.CurrentColorTable) {
    uint8_t entry[kColorEntrySize];
    put32le(entry, e.color);
    memcpy(entry + 4, e.name, kColorNameSize);
    out.insert(out.end(), entry, entry + kColorEntrySize);
  }
}

// A command trimmed at both ends and normalised by the command scan.
void PutCommand(ByteBuffer& out, const char* command) {
  char normalised[kCommandSize];
  CopyText(normalised, kCommandSize, TrimText(command));
  CopyCommandResources(normalised);
  PutLengthPrefixed(out, normalised, kCommandSize - 1);
}

// The part only the designer reads back.
void PutEditorPart(ByteBuffer& out) {
  const MenuDocument& doc = TheDocument;
  out.push_back(doc.MenuType);
  out.push_back(doc.WaitTimeOn);
  out.push_back(doc.WaitTime);
  out.push_back(doc.EditorFlag);
  // The length is one byte: a longer folder name is cut to 255 characters.
  PutLengthPrefixed(out, TrimText(doc.ImageFileDir), 255);

  out.push_back(doc.ItemCount[kTextList]);
  for (int i = 1; i <= doc.ItemCount[kTextList]; ++i) {
    const TextItemGeometry& g = doc.textItems[i].geometry;
    uint8_t geometry[10];
    put16le(geometry, g.x1);
    put16le(geometry + 2, g.y1);
    put16le(geometry + 4, g.x2);
    put16le(geometry + 6, g.y2);
    geometry[8] = g.align;
    geometry[9] = g.color;
    out.insert(out.end(), geometry, geometry + 10);
    PutLengthPrefixed(out, TrimRight(doc.textItems[i].text), kItemTextSize - 1);
  }

  ClearCopiedMarkers();
  const int menuCount = doc.ItemCount[kMenuList];
  out.push_back(uint8_t(menuCount));
  for (int i = 1; i <= menuCount; ++i) PutCommand(out, doc.menuStrings[i].command);
  out.push_back(uint8_t(menuCount));
  for (int i = 1; i <= menuCount; ++i) {
    const char* text = TrimRight(doc.menuStrings[i].text);
    const size_t n = strnlen(text, kItemTextSize - 1);
    out.push_back(uint8_t(n | (doc.menuStrings[i].useImageText ? 0x80 : 0)));
    out.insert(out.end(), text, text + n);
  }

  out.push_back(doc.ItemCount[kFunctionKeyList]);
  for (int i = 1; i <= doc.ItemCount[kFunctionKeyList]; ++i) {
    const FunctionKeyItem& f = doc.functionKeys[i];
    PutLengthPrefixed(out, TrimText(f.keyName), kKeyNameSize - 1);
    PutLengthPrefixed(out, TrimText(f.key), kKeyTokenSize - 1);
    PutCommand(out, f.command);
  }
}

// Appends a runtime table and records it in the section table.
template <class Builder>
Section AppendTable(ByteBuffer& file, Builder build) {
  const uint32_t start = uint32_t(file.size());
  build(file);
  return Section{start, uint32_t(file.size()) - start};
}

void PutSectionTable(uint8_t* p, const Section (&sections)[kSectionCount]) {
  for (uint32_t i = 0; i < kSectionCount; ++i) {
    put16le(p + 4 * i, sections[i].offset);
    put16le(p + 4 * i + 2, sections[i].length);
  }
}

}  // namespace

bool ReadTemplate(FILE* templateFile, uint32_t offset, uint8_t* out, uint32_t size) {
  return fseek(templateFile, long(offset), SEEK_SET) == 0 &&
         fread(out, 1, size, templateFile) == size;
}

bool BuildMenuFile(FILE* templateFile, MenuFileParts& parts) {
  MenuDocument& doc = TheDocument;
  ByteBuffer& file = parts.head;
  file.assign(kEditorSection, 0);
  const int variant = LoaderVariantIndex(doc.ColorMode, doc.Resolution);
  if (!ReadTemplate(templateFile, kLoaderVariantOffsets[variant], file.data(), kLoaderImageSize) ||
      !ReadTemplate(templateFile, kBootFontOffset, &file[kBootFontArea], kFontSize)) {
    return false;
  }
  Section sections[kSectionCount] = {};
  sections[kSectionMenuKeys] = {kMenuKeysArea, kMenuKeysAreaLength};
  sections[kSectionMenuGeometry] = {kMenuGeometryArea, kMenuGeometryAreaLength};
  sections[kSectionLayout] = {kLayoutArea, kLayoutAreaLength};
  sections[kSectionBootFont] = {kBootFontArea, kFontSize};

  PutSettingsBlock(&file[kSettingsBlock]);
  PutItemAreas(file);
  PutLogoBlock(&file[kLogoBlock]);
  PutScreenBlock(&file[kScreenBlock]);
  file[kSmoothVideoByte] = doc.SmoothVideo;
  file[kWaitTimeByte] = doc.WaitTimeOn ? doc.WaitTime : 0;
  const int defaultMenu = doc.DefaultMenu;
  file[kDefaultHotKeyByte] =
      defaultMenu >= 1 && defaultMenu <= doc.ItemCount[kMenuList] ? doc.menuKeys[defaultMenu].accKey : 0;

  file.insert(file.end(), kEditorMarker, kEditorMarker + 2);
  PutColorTable(file);
  BuildRuntimeTextTable(file);
  sections[kSectionEditor] = {kEditorSection, uint32_t(file.size()) - kEditorSection};
  PutEditorPart(file);
  sections[kSectionKeyTable] = AppendTable(file, BuildKeyTable);
  sections[kSectionMenuTexts] = AppendTable(file, BuildMenuTextTable);
  sections[kSectionCodePageFont] = {uint32_t(file.size()), kCodePageFontSize};
  parts.tail.clear();
  BuildPasswordTable(parts.tail);
  sections[kSectionPasswords] = {uint32_t(file.size()) + kCodePageFontSize,
                                 uint32_t(parts.tail.size())};
  uint32_t total = 0;
  for (int i = 0; i < kSectionTotal; ++i) total += sections[i].length;
  sections[kSectionTotal] = {0, total & 0xFFFF};

  parts.totalSize = uint32_t(file.size()) + kCodePageFontSize + uint32_t(parts.tail.size());
  put16le(&file[kFileSizeWord], parts.totalSize & 0xFFFF);
  PutSectionTable(&file[kSectionTable], sections);
  file[kDarkestColorByte] = uint8_t(DarkestColorIndex());
  file[kBrightestColorByte] = uint8_t(BrightestColorIndex());
  return true;
}

namespace {

int Brightness(uint32_t color) {
  const double r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return int(std::sqrt(r * r + g * g + b * b));
}

}  // namespace

int DarkestColorIndex() {
  int best = 0;
  for (int j = 1; j < kColorCount; ++j) {
    if (Brightness(TheDocument.CurrentColorTable[j].color) <
        Brightness(TheDocument.CurrentColorTable[best].color)) {
      best = j;
    }
  }
  return best;
}

int BrightestColorIndex() {
  int best = 0;
  for (int j = 1; j < kColorCount; ++j) {
    if (Brightness(TheDocument.CurrentColorTable[j].color) >
        Brightness(TheDocument.CurrentColorTable[best].color)) {
      best = j;
    }
  }
  return best;
}

int LoaderVariantIndex(uint8_t colorMode, uint8_t resolution) {
  // 16 colours exist only at 640x480; a mode the loader does not know is
  // taken as 256 colours, as the reader does.
  const int mode = colorMode <= kColors16 ? int(colorMode) : int(kColors256);
  if (mode == kColors16) return 3;
  if (resolution == kResolution800x600) return 4 + mode;
  if (resolution == kResolution1024x768) return 7 + mode;
  return mode;
}
