#include "menu/menu_file_writer.h"

#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_ids.h"
#include "app/text_helpers.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/korvel_template.h"
#include "menu/main_password.h"
#include "menu/menu_file_builder.h"
#include "menu/menu_file_layout.h"
#include "menu/picture_name.h"
#include "menu/undo.h"
#include "platform/files.h"
#include "platform/message_box.h"

uint8_t QuietSave = 0;

namespace {

const char kSecondLoaderName[] = "kvldr";
// The finished file is written under this suffix first and renamed over
// the old one at the end.
const char kPartialSuffix[] = ".tmp";

void ShowWriterMessage(unsigned icon, const char* text) {
  if (QuietSave) return;
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionError), icon);
}

void ShowWriterMessage(unsigned icon, int id, const char* argument) {
  char text[2200];
  snprintf(text, sizeof text, GetString(id), argument);
  ShowWriterMessage(icon, text);
}

std::string MenuFolderPath(const char* name) {
  char path[2100];
  if (!JoinPath(path, sizeof path, TheDocument.MenuFileDir, name)) return std::string();
  return path;
}

// The boot files' name fields: trimmed, a-z raised, cut to size, NUL-padded.
void PutLoaderName(uint8_t* field, size_t size, const char* text) {
  memset(field, 0, size);
  const char* trimmed = TrimText(text);
  for (size_t i = 0; i < size && trimmed[i]; ++i) {
    const char c = trimmed[i];
    field[i] = uint8_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
}

// Writes bytes to path through a partial file beside it, so that a failure
// leaves the old file in place. Removes the partial file on failure.
bool ReplaceFileWith(const std::string& path, const uint8_t* bytes, size_t size) {
  const std::string partial = path + kPartialSuffix;
  MakeFileWritable(partial.c_str());
  DeleteFileAt(partial.c_str());
  FILE* f = fopen(partial.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes, 1, size, f) == size;
  ok = fclose(f) == 0 && ok;
  if (ok) {
    MakeFileWritable(path.c_str());
    ok = RenameFileTo(partial.c_str(), path.c_str());
  }
  if (!ok) DeleteFileAt(partial.c_str());
  return ok;
}

// The boot files' common fields.
void PutBootFields(uint8_t* folder, uint8_t* name, uint8_t* tail) {
  const MenuDocument& doc = TheDocument;
  PutLoaderName(name, 12, doc.MenuFileName);
  PutLoaderName(folder, 8, doc.ImageFileDir);
  tail[0] = doc.KeepKernel;
  tail[1] = uint8_t((doc.ColorMode & 0x0F) | (doc.Resolution & 0xF0));
  tail[2] = doc.DefaultMenuOff;
}

// Writes the password field at offset of an existing boot file; nothing
// when the file is missing, cannot be opened, or does not reach that far.
// True when the field was written.
bool PatchPassword(const char* name, bool throughHeader) {
  const std::string path = MenuFolderPath(name);
  if (path.empty() || !FileExists(path.c_str())) return false;
  MakeFileWritable(path.c_str());
  FILE* f = fopen(path.c_str(), "r+b");
  if (!f) return false;
  const int64_t size = GetFileSize64(path.c_str());
  uint32_t offset = kBootPasswordField;
  bool ok = true;
  if (throughHeader) {
    uint8_t header[kSecondHeaderSize];
    ok = fseek(f, kSecondHeaderOffset, SEEK_SET) == 0 &&
         fread(header, 1, kSecondHeaderSize, f) == kSecondHeaderSize &&
         memcmp(header, kSecondSignature, 4) == 0;
    if (ok) offset = get16le(header + kSecondPasswordPointer);
  }
  ok = ok && int64_t(offset) + 10 <= size;
  if (ok) {
    uint8_t field[10];
    EncodeMainPassword(TheDocumentView().GetFieldText(ViewField::txtPassword).c_str(), field);
    ok = fseek(f, long(offset), SEEK_SET) == 0 && fwrite(field, 1, sizeof field, f) == sizeof field;
  }
  return fclose(f) == 0 && ok;
}

// The logo block just written: what a typed logo name or time is compared
// with. The background name written becomes the document's, and the
// preview shows that picture.
void RememberPictureNames(const MenuFileParts& parts) {
  MenuDocument& doc = TheDocument;
  const uint8_t* logo = parts.head.data() + kLogoBlock;
  char name[kShortFileNameSize] = {};
  memcpy(name, logo + kLogoFileName, kShortFileNameSize - 1);
  CopyText(doc.FileLogoName, kShortFileNameSize, name);
  doc.FileLogoTime = logo[kLogoTimeByte];
  memcpy(name, parts.head.data() + kScreenBlock + kBackImageNameField, kShortFileNameSize - 1);
  if (strcmp(name, doc.BackImageName) == 0) return;
  CopyText(doc.BackImageName, kShortFileNameSize, name);
  TheDocumentView().LoadBackImage();
  TheDocumentView().RepaintPreview();
}

// Writes the finished menu file to the partial file; false on any failure
// (the partial file is then removed).
bool WriteMenuFileBytes(const std::string& partial, FILE* out, FILE* templateFile,
                        const MenuFileParts& parts) {
  bool ok = fwrite(parts.head.data(), 1, parts.head.size(), out) == parts.head.size();
  ok = ok && WriteCodePageFont(out, templateFile);
  ok = ok && fwrite(parts.tail.data(), 1, parts.tail.size(), out) == parts.tail.size();
  ok = fclose(out) == 0 && ok;
  ok = ok && GetFileSize64(partial.c_str()) == int64_t(parts.totalSize);
  if (!ok) DeleteFileAt(partial.c_str());
  return ok;
}

void ReportFirstMissingHotKey() {
  const MenuDocument& doc = TheDocument;
  for (int i = 1; i <= doc.ItemCount[kMenuList]; ++i) {
    const uint8_t key = doc.menuKeys[i].accKey;
    if (key < 33 || key > 126) {
      ShowWriterMessage(kMbIconInformation, kStrNoHotKey, doc.menuStrings[i].text);
      return;
    }
  }
}

void ReportTooLarge(const std::string& path, uint32_t size) {
  char text[2300];
  snprintf(text, sizeof text,
           "Menu file '%s' would be %u bytes long; a menu file can hold at most %u bytes. "
           "Remove some items or shorten their texts. The file was not written.",
           path.c_str(), unsigned(size), unsigned(kMaxMenuFileSize));
  ShowWriterMessage(kMbIconError, text);
}

// A logo or background name that the reader would refuse is reported and
// nothing is written: the menu file would not open again.
bool PictureNamesCanBeStored() {
  const std::string logo = TheDocumentView().GetFieldText(ViewField::txtLogoImg);
  const std::string background = TheDocumentView().GetFieldText(ViewField::txtBackImg);
  const struct {
    const char* kind;
    const char* name;
  } pictures[] = {{"logo", logo.c_str()}, {"background", background.c_str()}};
  for (const auto& picture : pictures) {
    const char* fault = PictureNameFault(picture.name);
    if (!fault) continue;
    char text[2400];
    snprintf(text, sizeof text,
             "The %s picture name '%s' cannot be stored: %s. A menu file holding it could not be "
             "opened again, so '%s' was not written.",
             picture.kind, picture.name, fault, MenuFolderPath(TheDocument.MenuFileName).c_str());
    ShowWriterMessage(kMbIconError, text);
    return false;
  }
  return true;
}

}  // namespace

bool WriteLoaderBoot(FILE* templateFile) {
  uint8_t boot[kLoaderBootSize];
  if (!ReadTemplate(templateFile, kLoaderBootOffset, boot, kLoaderBootSize)) return false;
  PutBootFields(boot + kBootFolderField, boot + kBootMenuNameField, boot + kBootKeepKernel);
  return ReplaceFileWith(MenuFolderPath(kLoaderBootName), boot, kLoaderBootSize);
}

bool WriteSecondLoader(FILE* templateFile) {
  uint8_t kvldr[kSecondLoaderSize];
  if (!ReadTemplate(templateFile, kSecondLoaderOffset, kvldr, kSecondLoaderSize)) return false;
  uint8_t* header = kvldr + kSecondHeaderOffset;
  memcpy(header, kSecondSignature, 4);
  PutBootFields(header + kSecondFolderField, header + kSecondMenuNameField,
                header + kSecondKeepKernel);
  return ReplaceFileWith(MenuFolderPath(kSecondLoaderName), kvldr, kSecondLoaderSize);
}

bool WriteLoaderPassword() { return PatchPassword(kLoaderBootName, false); }

bool WriteSecondLoaderPassword() { return PatchPassword(kSecondLoaderName, true); }

bool SaveMenuFile() {
  MenuDocument& doc = TheDocument;
  ReportFirstMissingHotKey();
  if (!PictureNamesCanBeStored()) return false;
  if (!FolderExists(doc.MenuFileDir)) {
    ShowWriterMessage(kMbIconError, kStrFolderNotExist, doc.MenuFileDir);
    return false;
  }
  char templatePath[1100];
  if (!JoinPath(templatePath, sizeof templatePath, GetHomeDir(), kTemplateFileName) ||
      !FileExists(templatePath)) {
    ShowWriterMessage(kMbIconError, kStrSystemFileNotFound, kTemplateFileName);
    return false;
  }
  // A template shorter than its map is refused like one that cannot be opened.
  FILE* templateFile = fopen(templatePath, "rb");
  if (templateFile && GetFileSize64(templatePath) < int64_t(kTemplateMinSize)) {
    fclose(templateFile);
    templateFile = nullptr;
  }
  if (!templateFile) {
    ShowWriterMessage(kMbIconError, kStrSystemFileOpenError, kTemplateFileName);
    return false;
  }

  const std::string path = MenuFolderPath(doc.MenuFileName);
  const std::string partial = path + kPartialSuffix;
  MakeFileWritable(partial.c_str());
  DeleteFileAt(partial.c_str());
  FILE* out = doc.MenuFileName[0] && !path.empty() ? fopen(partial.c_str(), "wb") : nullptr;
  if (!out) {
    ShowWriterMessage(kMbIconError, kStrFileCreateError, path.c_str());
    fclose(templateFile);
    return false;
  }

  MenuFileParts parts;
  bool ok = BuildMenuFile(templateFile, parts);
  if (ok && parts.totalSize > kMaxMenuFileSize) {
    fclose(out);
    DeleteFileAt(partial.c_str());
    fclose(templateFile);
    ReportTooLarge(path, parts.totalSize);
    return false;
  }
  if (!ok) {
    fclose(out);
    DeleteFileAt(partial.c_str());
  } else {
    ok = WriteMenuFileBytes(partial, out, templateFile, parts);
  }
  if (ok) {
    MakeFileWritable(path.c_str());
    ok = RenameFileTo(partial.c_str(), path.c_str());
    if (!ok) DeleteFileAt(partial.c_str());
  }
  if (!ok) {
    ShowWriterMessage(kMbIconError, kStrFileCreateError, path.c_str());
    fclose(templateFile);
    return false;
  }
  // The last file is the one written: a failed save names no file that a
  // refused open could fall back to.
  CopyText(doc.LastMenuFilePath, kPathSize, path.c_str());
  RememberPictureNames(parts);
  // The boot files follow only a menu file that is in place.
  if (doc.MenuType == 0) {
    WriteLoaderBoot(templateFile);
    WriteSecondLoader(templateFile);
    WriteLoaderPassword();
    WriteSecondLoaderPassword();
  }
  fclose(templateFile);
  ResetUndo();
  TheDocumentView().ShowDocumentSettings();
  doc.DocumentModified = 0;
  return true;
}
