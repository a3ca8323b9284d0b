#include "menu/menu_file_reader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/string_ids.h"
#include "app/text_helpers.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/korvel_template.h"
#include "menu/main_password.h"
#include "menu/menu_file_layout.h"
#include "menu/picture_name.h"
#include "menu/undo.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

// The blocks' places in a file of each layout.
struct BlockOffsets {
  int64_t settings, menuKeys, menuGeometry, layout, editor, logo, screen;
};
const BlockOffsets kMenuFileOffsets = {0x7804, 0x8100, 0x8200, 0x8400, 0x8800, 0x7817, 0x7858};
const BlockOffsets kOldMenuFileOffsets = {0x2C63, 0x3100, 0x3200, 0x3400, 0x4000, 0x1B3A, 0x0C44};

// Where the loader signature may stand, probed in this order.
const int64_t kSignatureProbes[] = {96, 34, 54, 3};

// The file's bytes with a read position. A read that the file cannot give
// in full takes nothing, leaves the position at the end and marks the file
// as ending early.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size), pos_(0), short_(false) {}
  // A block before the file's start is not in it: every read there fails.
  void Seek(int64_t offset) { pos_ = offset < 0 ? int64_t(size_) + 1 : offset; }
  int64_t Position() const { return pos_; }
  // False once a read ran past the end of the file.
  bool Whole() const { return !short_; }
  bool Read(void* out, size_t n) {
    if (!Fits(n)) return false;
    memcpy(out, data_ + pos_, n);
    pos_ += int64_t(n);
    return true;
  }
  bool Byte(uint8_t& out) { return Read(&out, 1); }
  bool Skip(size_t n) {
    if (!Fits(n)) return false;
    pos_ += int64_t(n);
    return true;
  }
  // A length-prefixed string: its first keep characters go to out (size
  // keep + 1, NUL-terminated); the rest is skipped. A length of 0 empties it.
  bool String(char* out, size_t keep) {
    uint8_t n;
    if (!Byte(n)) return false;
    return Chars(n, out, keep);
  }
  bool Chars(size_t n, char* out, size_t keep) {
    if (!Fits(n)) return false;
    const size_t stored = n < keep ? n : keep;
    memcpy(out, data_ + pos_, stored);
    out[stored] = 0;
    pos_ += int64_t(n);
    return true;
  }

 private:
  bool Fits(size_t n) {
    if (pos_ <= int64_t(size_) && n <= size_ - size_t(pos_)) return true;
    pos_ = int64_t(size_);
    short_ = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  int64_t pos_;
  bool short_;
};

int CutToLimit(int count, int list) {
  const int limit = ListLimitOf(list);
  return count > limit ? limit : count;
}

// The offsets of the current layout moved by the signature's data base, or
// false when no probe position carries the signature.
bool FindSignature(const uint8_t* data, size_t size, BlockOffsets& offsets) {
  for (int64_t probe : kSignatureProbes) {
    if (probe + int64_t(kLoaderSignatureSize) > int64_t(size)) continue;
    const uint8_t* header = data + probe;
    if (memcmp(header, kLoaderSignature, 4) != 0) continue;
    const int64_t shift = int64_t(get16le(header + kLoaderDataBaseField)) - kStandardDataBase;
    offsets = kMenuFileOffsets;
    for (int64_t* p : {&offsets.settings, &offsets.menuKeys, &offsets.menuGeometry,
                       &offsets.layout, &offsets.editor, &offsets.logo, &offsets.screen}) {
      *p += shift;
    }
    return true;
  }
  return false;
}

void ReadSettings(ByteReader& in, const BlockOffsets& at, bool oldLayout) {
  MenuDocument& doc = TheDocument;
  uint8_t s[kSettingsBlockSize];
  in.Seek(at.settings);
  if (!in.Read(s, sizeof s)) return;
  doc.ItemCount[kMenuList] = uint8_t(CutToLimit(s[0], kMenuList));
  doc.DefaultMenu = s[1];
  doc.AccKeyMode = s[2];
  doc.KeyTransfer = s[3];
  doc.MouseOff = s[4];
  doc.DefaultMenuOff = s[6];
  int colorMode = s[5] & 0x0F;
  if (oldLayout && colorMode == kColors16M) colorMode = kColors16;
  int resolution = s[5] & 0xF0;
  if (colorMode > kColors16) colorMode = kColors256;
  if (colorMode == kColors16 && resolution != kResolution640x480) resolution = kResolution640x480;
  doc.ColorMode = uint8_t(colorMode);
  doc.Resolution = uint8_t(resolution);
}

void ReadItemAreas(ByteReader& in, const BlockOffsets& at) {
  MenuDocument& doc = TheDocument;
  const int menuCount = doc.ItemCount[kMenuList];
  in.Seek(at.menuKeys);
  for (int i = 1; i <= menuCount; ++i) {
    uint8_t k[6];
    if (!in.Read(k, sizeof k)) break;
    doc.menuKeys[i] = MenuItemKeys{k[0], k[1], k[2], k[3], k[4], k[5]};
  }
  in.Seek(at.menuGeometry);
  for (int i = 1; i <= menuCount; ++i) {
    uint8_t g[10];
    if (!in.Read(g, sizeof g)) break;
    MenuItemGeometry& geometry = doc.menuGeometry[i];
    geometry.normalColors = g[0];
    geometry.x1 = get16le(g + 1);
    geometry.y1 = get16le(g + 3);
    geometry.x2 = get16le(g + 5);
    geometry.y2 = get16le(g + 7);
    geometry.highlightColors = g[9];
  }
  in.Seek(at.layout);
  uint8_t layoutCount;
  if (!in.Byte(layoutCount)) return;
  doc.ItemCount[kLayoutList] = uint8_t(CutToLimit(layoutCount, kLayoutList));
  for (int i = 1; i <= doc.ItemCount[kLayoutList]; ++i) {
    uint8_t l[11];
    if (!in.Read(l, sizeof l)) break;
    doc.layoutItems[i] = LayoutItem{get16le(l), get16le(l + 2), get16le(l + 4), get16le(l + 6),
                                    l[8], l[9], l[10]};
  }
}

// A NUL-terminated field of at most size bytes as a text of at most
// size - 1 characters.
std::string FieldText(const uint8_t* field, size_t size) {
  return std::string(reinterpret_cast<const char*>(field), strnlen((const char*)field, size - 1));
}

// The logo's name and time go to the document's FileLogoName and
// FileLogoTime; the caller shows them in their fields.
void ReadLogoAndScreen(ByteReader& in, const BlockOffsets& at, bool oldLayout) {
  MenuDocument& doc = TheDocument;
  uint8_t logo[kLogoBlockSize];
  in.Seek(at.logo);
  if (in.Read(logo, sizeof logo)) {
    doc.LogoOn = logo[kLogoOnByte];
    CopyText(doc.FileLogoName, kShortFileNameSize, FieldText(logo + kLogoFileName, kShortFileNameSize).c_str());
    doc.FileLogoTime = logo[kLogoTimeByte];
  }
  uint8_t s[kScreenBlockSize];
  in.Seek(at.screen);
  if (!in.Read(s, sizeof s)) return;
  if (!oldLayout) in.Byte(doc.SmoothVideo);
  doc.BackImageOn = s[kBackImageOnByte];
  CopyText(doc.BackImageName, kShortFileNameSize,
           FieldText(s + kBackImageNameField, kShortFileNameSize).c_str());
  doc.ShowCounter = s[kCounterOnByte];
  if (doc.ShowCounter) {
    doc.CounterX = get16le(s + kCounterX);
    doc.CounterY = get16le(s + kCounterY);
    doc.CounterColors = s[kCounterColorsByte];
  }
  doc.ShowProgress = s[kProgressOnByte];
  if (doc.ShowProgress) {
    const uint16_t x1 = get16le(s + kProgressX), y1 = get16le(s + kProgressY);
    doc.ProgressRect = PixelRect{x1, y1, uint16_t(x1 + get16le(s + kProgressWidth) - 1),
                                 uint16_t(y1 + get16le(s + kProgressHeight) - 1)};
    doc.ProgressColors = s[kProgressColorsByte];
    doc.ProgressEdgeColor = s[kProgressEdgeColorByte];
  }
}

void ReadColorTable(ByteReader& in) {
  MenuDocument& doc = TheDocument;
  uint8_t count;
  if (!in.Byte(count)) return;
  if (count != kColorCount) {
    // Another count: its entries are passed over, the table stays.
    in.Skip(size_t(count) * kColorEntrySize);
    return;
  }
  for (ColorEntry& e : doc.CurrentColorTable) {
    uint8_t entry[kColorEntrySize];
    if (!in.Read(entry, sizeof entry)) return;
    e.color = get32le(entry);
    memcpy(e.name, entry + 4, kColorNameSize);
    e.name[kColorNameSize - 1] = 0;
  }
  const int lang = TheLanguage.currentLangId;
  if (lang != 1033 && lang != 1028 && lang != 2052) LocaliseColorNames();
}

// Text items of the editor part. When the count differs from the runtime
// table's, the entries are passed over and the items' texts emptied.
void ReadTextItems(ByteReader& in, int runtimeTextCount) {
  MenuDocument& doc = TheDocument;
  uint8_t count;
  if (!in.Byte(count)) return;
  const bool matches = count != 0 && count == runtimeTextCount;
  for (int i = 1; i <= count; ++i) {
    uint8_t g[10];
    char text[kItemTextSize];
    if (!in.Read(g, sizeof g) || !in.String(text, kItemTextSize - 1)) return;
    if (!matches || i > doc.ItemCount[kTextList]) continue;
    TextItem& item = doc.textItems[i];
    item.geometry = TextItemGeometry{get16le(g), get16le(g + 2), get16le(g + 4), get16le(g + 6),
                                     g[8], g[9]};
    CopyText(item.text, kItemTextSize, text);
  }
  if (!matches) {
    for (int i = 1; i <= doc.ItemCount[kTextList]; ++i) doc.textItems[i].text[0] = 0;
  }
}

void ReadMenuStrings(ByteReader& in, int fileMenuCount) {
  MenuDocument& doc = TheDocument;
  const int menuCount = doc.ItemCount[kMenuList];
  uint8_t count;
  if (!in.Byte(count)) return;
  bool matches = count != 0 && count == fileMenuCount;
  for (int i = 1; i <= count; ++i) {
    char command[kCommandSize];
    if (!in.String(command, kCommandSize - 1)) return;
    if (matches && i <= menuCount) CopyText(doc.menuStrings[i].command, kCommandSize, command);
  }
  if (!matches) {
    for (int i = 1; i <= menuCount; ++i) doc.menuStrings[i].command[0] = 0;
  }
  if (!in.Byte(count)) return;
  matches = count != 0 && count == fileMenuCount;
  for (int i = 1; i <= count; ++i) {
    uint8_t length;
    char text[kItemTextSize];
    if (!in.Byte(length) || !in.Chars(length & 0x7F, text, kItemTextSize - 1)) return;
    if (!matches || i > menuCount) continue;
    doc.menuStrings[i].useImageText = (length & 0x80) ? 1 : 0;
    CopyText(doc.menuStrings[i].text, kItemTextSize, text);
  }
  if (!matches) {
    for (int i = 1; i <= menuCount; ++i) {
      doc.menuStrings[i].text[0] = 0;
      doc.menuStrings[i].useImageText = 0;
    }
  }
}

// Every key the count names is read; those above the limit are passed over.
void ReadFunctionKeys(ByteReader& in) {
  MenuDocument& doc = TheDocument;
  uint8_t count;
  if (!in.Byte(count)) return;
  doc.ItemCount[kFunctionKeyList] = uint8_t(CutToLimit(count, kFunctionKeyList));
  for (int i = 1; i <= count; ++i) {
    FunctionKeyItem passedOver;
    FunctionKeyItem& key = i <= doc.ItemCount[kFunctionKeyList] ? doc.functionKeys[i] : passedOver;
    if (!in.String(key.keyName, kKeyNameSize - 1) || !in.String(key.key, kKeyTokenSize - 1) ||
        !in.String(key.command, kCommandSize - 1)) {
      return;
    }
  }
}

// The editor section: colour table, runtime text table (only its count is
// used), the editor settings, text items, menu commands and texts and the
// function keys. False when its marker is another: nothing more is read.
bool ReadEditorSection(ByteReader& in, const BlockOffsets& at, int fileMenuCount) {
  MenuDocument& doc = TheDocument;
  char marker[2];
  in.Seek(at.editor);
  if (!in.Read(marker, 2)) return false;
  if (memcmp(marker, kEditorMarker, 2) == 0) {
    ReadColorTable(in);
  } else if (memcmp(marker, kOldEditorMarker, 2) != 0) {
    return false;
  }
  uint8_t textCount;
  if (!in.Byte(textCount)) return true;
  doc.ItemCount[kTextList] = uint8_t(CutToLimit(textCount, kTextList));
  for (int i = 0; i < textCount; ++i) {
    uint8_t entry[5];
    if (!in.Read(entry, sizeof entry) || !in.Skip(entry[4])) return true;
  }
  uint8_t settings[4];
  if (!in.Read(settings, sizeof settings)) return true;
  doc.MenuType = settings[0];
  doc.WaitTimeOn = settings[1];
  doc.WaitTime = settings[2];
  doc.EditorFlag = settings[3];
  uint8_t folderLength;
  if (!in.Byte(folderLength) || !in.Skip(folderLength)) return true;
  ReadTextItems(in, textCount);
  ReadMenuStrings(in, fileMenuCount);
  ReadFunctionKeys(in);
  return true;
}

// Entry index of a current-layout file's section table, its offset moved
// by the data base as the blocks are. False when the entry names no block
// (offset and length 0) or the table is not in the file.
bool FindSection(const uint8_t* data, size_t size, const BlockOffsets& at, int index, int64_t& offset,
                 int64_t& length) {
  const int64_t shift = at.settings - int64_t(kSettingsBlock);
  const int64_t entry = int64_t(kSectionTable) + shift + 4 * int64_t(index);
  if (entry < 0 || entry + 4 > int64_t(size)) return false;
  offset = get16le(data + entry);
  length = get16le(data + entry + 2);
  if (offset == 0 && length == 0) return false;
  offset += shift;
  return true;
}

// Every block that a current-layout file's section table names lies within
// the file: a file cut short or overwritten there is no menu file.
bool SectionsFit(const uint8_t* data, size_t size, const BlockOffsets& at) {
  for (int index = 0; index < kSectionTotal; ++index) {
    int64_t offset, length;
    if (FindSection(data, size, at, index, offset, length) && (offset < 0 || offset + length > int64_t(size))) {
      return false;
    }
  }
  return true;
}

// The editor part's counts bring the reading to the key table, which the
// writer puts right behind it; counts or lengths that were overwritten end
// elsewhere. A file whose section table names no key table is not judged.
bool EditorPartEndsAtKeyTable(const uint8_t* data, size_t size, const BlockOffsets& at, int64_t end) {
  int64_t offset, length;
  return !FindSection(data, size, at, kSectionKeyTable, offset, length) || offset == end;
}

// Menu item passwords live only in the loader's password table; they are
// taken from there (the section table names it) so that a loaded menu saves
// back as it was. Files without that table leave the passwords empty.
void ReadMenuPasswords(const uint8_t* data, size_t size, const BlockOffsets& at, bool oldLayout) {
  MenuDocument& doc = TheDocument;
  for (int i = 1; i <= kMaxMenuItems; ++i) doc.menuStrings[i].password[0] = 0;
  int64_t table, length;
  if (oldLayout || !FindSection(data, size, at, kSectionPasswords, table, length) ||
      length != kMaxMenuItems * 10 || table < 0 || table + length > int64_t(size)) {
    return;
  }
  for (int i = 1; i <= doc.ItemCount[kMenuList]; ++i) {
    const uint8_t* p = data + table + 10 * (i - 1);
    const int length = p[0] <= 8 ? p[0] : 0;
    for (int k = 0; k < length; ++k) doc.menuStrings[i].password[k] = char(p[1 + k] ^ 0xFF);
    doc.menuStrings[i].password[length] = 0;
  }
}

void ShowReaderMessage(int id, const char* argument) {
  char text[2200];
  snprintf(text, sizeof text, GetString(id), argument);
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionError), kMbIconError);
}

// A refused file: the names go back to those of the last file read or
// written, and are shown again.
void RestoreNamesFromLastPath() {
  MenuDocument& doc = TheDocument;
  const char* cut = strrchr(doc.LastMenuFilePath, kPathSeparator);
  if (doc.LastMenuFilePath[0] == 0 || !cut) {
    doc.MenuFileName[0] = 0;
  } else {
    const std::string dir(doc.LastMenuFilePath, size_t(cut - doc.LastMenuFilePath));
    CopyText(doc.MenuFileName, kPathSize, cut + 1);
    CopyText(doc.MenuFileDir, kPathSize, dir.c_str());
  }
  TheDocumentView().SetFieldText(ViewField::txtFileDir, doc.MenuFileDir);
  TheDocumentView().SetFieldText(ViewField::txtMenuFileName, doc.MenuFileName);
}

bool IsOldLayoutFile(const uint8_t* data, size_t size) {
  const int64_t at = kOldMenuFileOffsets.editor;
  if (at + 2 > int64_t(size)) return false;
  return memcmp(data + at, kEditorMarker, 2) == 0 || memcmp(data + at, kOldEditorMarker, 2) == 0;
}

// The blocks' offsets of a menu file of either layout; false when the
// bytes are not a menu file.
bool LocateBlocks(const uint8_t* data, size_t size, BlockOffsets& at, bool& oldLayout) {
  oldLayout = !FindSignature(data, size, at);
  if (!oldLayout) return true;
  at = kOldMenuFileOffsets;
  return IsOldLayoutFile(data, size);
}

// The stored logo and background names (a block the file does not hold
// stores none): true when both name files of the menu folder.
bool StoredPictureNamesArePlain(const uint8_t* data, size_t size, const BlockOffsets& at) {
  const int64_t fields[] = {at.logo + kLogoFileName, at.screen + kBackImageNameField};
  for (int64_t field : fields) {
    if (field < 0 || field + int64_t(kShortFileNameSize) > int64_t(size)) continue;
    if (PictureNameFault(FieldText(data + field, kShortFileNameSize).c_str())) return false;
  }
  return true;
}

}  // namespace

void LocaliseColorNames() {
  MenuDocument& doc = TheDocument;
  for (int i = 0; i < kColorCount; ++i) {
    if (doc.CurrentColorTable[i].color == doc.DefaultColorTable[i].color) {
      memcpy(doc.CurrentColorTable[i].name, doc.DefaultColorTable[i].name, kColorNameSize);
    }
  }
}

bool ReadMenuFileBytes(const uint8_t* data, size_t size) {
  MenuDocument& doc = TheDocument;
  BlockOffsets at;
  bool oldLayout;
  if (!LocateBlocks(data, size, at, oldLayout)) return false;
  if (!oldLayout && !SectionsFit(data, size, at)) return false;
  // A file is taken whole or not at all: one that ends before a block or a
  // count it names gives the document back as it was.
  const std::unique_ptr<MenuDocument> before(new MenuDocument(doc));
  // ResetMenuDocument empties LastMenuFilePath; the caller sets it again.
  ResetMenuDocument();
  const uint8_t resolutionBefore = doc.Resolution;
  ByteReader in(data, size);
  ReadSettings(in, at, oldLayout);
  ReadItemAreas(in, at);
  ReadLogoAndScreen(in, at, oldLayout);
  // The file's own menu count decides whether the editor part's lists match.
  uint8_t fileMenuCount = 0;
  in.Seek(at.settings);
  in.Byte(fileMenuCount);
  const bool editorPart = ReadEditorSection(in, at, fileMenuCount);
  if (!in.Whole() || (editorPart && !oldLayout && !EditorPartEndsAtKeyTable(data, size, at, in.Position()))) {
    doc = *before;
    return false;
  }
  if (doc.Resolution != resolutionBefore) ApplyResolution();
  ReadMenuPasswords(data, size, at, oldLayout);
  return true;
}

bool LoadMenuFile() {
  MenuDocument& doc = TheDocument;
  if (doc.MenuFileName[0] == 0) return false;
  char path[2100];
  if (!JoinPath(path, sizeof path, doc.MenuFileDir, doc.MenuFileName)) return false;
  if (!FileExists(path)) {
    ShowReaderMessage(kStrFileNotExist, path);
    return false;
  }
  // The whole file is read, bounded by its real length; a menu file is at
  // most 64 KB, older ones smaller, so anything past 16 MB is not one.
  const int64_t size = GetFileSize64(path);
  FILE* f = fopen(path, "rb");
  if (!f || size < 0) {
    if (f) fclose(f);
    ShowReaderMessage(kStrFileOpenError, path);
    return false;
  }
  std::vector<uint8_t> data(size_t(size < (16 << 20) ? size : (16 << 20)));
  data.resize(fread(data.data(), 1, data.size(), f));
  fclose(f);

  // The preview converts the background in place as soon as the file is
  // read: a received file must not name a picture outside the menu folder.
  // Such a file is refused before the document changes.
  BlockOffsets at;
  bool oldLayout;
  if (LocateBlocks(data.data(), data.size(), at, oldLayout) &&
      !StoredPictureNamesArePlain(data.data(), data.size(), at)) {
    RestoreNamesFromLastPath();
    ShowReaderMessage(kStrFileOpenError, path);
    return false;
  }
  const uint8_t resolutionBefore = doc.Resolution;
  if (!ReadMenuFileBytes(data.data(), data.size())) {
    RestoreNamesFromLastPath();
    ShowReaderMessage(kStrNotMenuFile, path);
    return false;
  }
  CopyText(doc.LastMenuFilePath, kPathSize, path);
  for (int list = 0; list < kListCount; ++list) {
    doc.CurrentItem[list] = doc.ItemCount[list] ? 1 : 0;
  }
  DocumentView& view = TheDocumentView();
  if (doc.Resolution != resolutionBefore) view.RelayoutPreview();
  view.SetFieldText(ViewField::txtLogoImg, doc.FileLogoName);
  view.SetFieldText(ViewField::txtLogoTime, IntToText(doc.FileLogoTime));
  view.SetFieldText(ViewField::txtBackImg, doc.BackImageName);
  // The main password is kept only in the folder's boot files: the field
  // takes it back from there, so that the next save of a main menu writes
  // it again instead of an empty one. (A sub menu's field is disabled; it
  // still shows the folder's password, which a switch to a main menu keeps.)
  view.SetFieldText(ViewField::txtPassword, ReadLoaderPassword(doc.MenuFileDir).c_str());
  view.RefreshListViews(kAllLists);
  view.ShowDocumentSettings();
  view.ShowCurrentItem(kAllLists);
  view.LoadBackImage();
  view.RepaintPreview();
  ResetUndo();
  doc.DocumentModified = 0;
  return true;
}
