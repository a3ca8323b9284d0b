// The main window's file commands: the save question, New, Open, Save,
// Save As, Make ISO, the 4 GB question of the image engine, and the
// buttons that open the popup menus.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_ids.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/menu_file_reader.h"
#include "menu/menu_file_writer.h"
#include "menu/undo.h"
#include "platform/cursor.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/shell_launch.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_tb.h"
#include "ui/main_settings.h"

namespace {

// Flags of the menu file's dialogs: hide read-only, path must exist, no
// network button; opening adds file-must-exist, saving overwrite-prompt.
const unsigned kOpenMenuFlags = 0x21804;
const unsigned kSaveMenuFlags = 0x20806;

// The longest menu file name the boot loader takes (8.3).
const size_t kMaxMenuNameLength = 12;

int Ask(void* owner, const char* text, unsigned buttons) {
  return ShowMessageBox(owner, text, GetString(kStrCaptionPrompt), buttons | kMbIconQuestion);
}

// Runs the menu file's open or save dialog; true with the chosen path.
bool AskMenuFilePath(void* owner, bool save, char (&path)[kFileDialogPathSize]) {
  FileDialogRequest request = {};
  request.save = save;
  request.owner = owner;
  request.filter = GetString(kStrMenuFileFilter);
  request.title = GetString(save ? kStrSaveMenuAsTitle : kStrOpenMenuTitle);
  request.initialDir = TheDocument.MenuFileDir;
  request.defaultExt = "zqk";
  request.flags = save ? kSaveMenuFlags : kOpenMenuFlags;
  request.olderStructure = !IsWin2000OrLater();
  if (!RunFileDialog(request)) return false;
  memcpy(path, request.file, sizeof path);
  return true;
}

// The folder and the name of a path split at its last backslash; false
// when it has none.
bool SplitPath(const char* path, std::string& folder, std::string& name) {
  const char* cut = strrchr(path, '\\');
  if (!cut) return false;
  folder.assign(path, cut - path);
  name = cut + 1;
  return true;
}

// The four names a menu file is found by, to put back after a failed open
// or save, so that the next Save writes the file "Menu File:" shows.
struct MenuFileNames {
  char MenuFileName[kPathSize], MenuFileDir[kPathSize], ImageFileDir[kPathSize], CDFileDir[kPathSize];
};

void KeepNames(MenuFileNames& names) {
  const MenuDocument& doc = TheDocument;
  memcpy(names.MenuFileName, doc.MenuFileName, kPathSize);
  memcpy(names.MenuFileDir, doc.MenuFileDir, kPathSize);
  memcpy(names.ImageFileDir, doc.ImageFileDir, kPathSize);
  memcpy(names.CDFileDir, doc.CDFileDir, kPathSize);
}

// Puts the names back and shows them on the File page.
void RestoreNames(const MenuFileNames& names) {
  MenuDocument& doc = TheDocument;
  memcpy(doc.MenuFileName, names.MenuFileName, kPathSize);
  memcpy(doc.MenuFileDir, names.MenuFileDir, kPathSize);
  memcpy(doc.ImageFileDir, names.ImageFileDir, kPathSize);
  memcpy(doc.CDFileDir, names.CDFileDir, kPathSize);
  TheDocumentView().SetFieldText(ViewField::txtFileDir, doc.MenuFileDir);
  TheDocumentView().SetFieldText(ViewField::txtMenuFileName, doc.MenuFileName);
}

// A name the boot loader can take: at most 12 characters (8.3), and a name
// before the extension (".zqk" alone is an extension).
bool IsMenuFileName(const std::string& name) {
  return name.size() <= kMaxMenuNameLength && name.find_first_not_of(". ") < name.rfind('.');
}

}  // namespace

bool TfrmTb::OnFileCommand(const FormEvent& event) {
  if (event.kind != kEventClick) return false;
  switch (event.control) {
    case btnNew: NewDocument(); return true;
    case btnOpen: btnOpenClick(); return true;
    case btnSave: btnSaveClick(); return true;
    case btnSaveAs: btnSaveAsClick(); return true;
    case btnISOMake: btnISOMakeClick(); return true;
    case btnQuit: SaveSettingsAndQuit(); return true;
    case btnTools: OpenPopupMenu(pmTools); return true;
    case btnHelp: OpenPopupMenu(pmHelp); return true;
    case btnOptions: OpenPopupMenu(pmOptions); return true;
    case btnBurn: OpenPopupMenu(pmBurn); return true;
    case pmContents: pmHelpClick(); return true;
    default: return false;
  }
}

bool TfrmTb::AskSaveChanges(const char* action) {
  MenuDocument& doc = TheDocument;
  if (IsDocumentEmpty()) doc.DocumentModified = 0;
  if (!doc.DocumentModified) return false;
  int answer = Ask(Handle(), GetString(kStrSaveChanges), kMbYesNoCancel);
  if (answer == kIdCancel) return true;
  if (answer != kIdYes) return false;
  // A menu never saved is given a name first, as Save does; Cancel there
  // takes back the action too, and the menu stays as it is.
  if (!SaveMenu()) return true;
  if (!doc.DocumentModified) return false;
  char text[1200];
  snprintf(text, sizeof text, GetString(kStrSaveErrorGoOn), action);
  return Ask(Handle(), text, kMbYesNo) != kIdYes;
}

void TfrmTb::NewDocument() {
  if (AskSaveChanges(GetString(kStrActionNew))) return;
  MenuDocument& doc = TheDocument;
  ResetMenuDocument();
  // The name the quit stores while the new menu has none: the last file's,
  // so that the next start can still open it.
  if (doc.MenuFileName[0]) CopyText(TheMainSettings.MenuFileName, kPathSize, doc.MenuFileName);
  doc.MenuFileName[0] = 0;
  // The main password of the last menu's folder is not the new menu's.
  SetFieldText(ViewField::txtPassword, "");
  ShowDocumentSettings();
  RefreshListViews(kAllLists);
  ShowCurrentItem(kAllLists);
  RepaintPreview();
}

void TfrmTb::btnOpenClick() {
  if (AskSaveChanges(GetString(kStrActionOpen))) return;
  char path[kFileDialogPathSize];
  std::string folder, name;
  if (!AskMenuFilePath(Handle(), false, path) || !SplitPath(path, folder, name)) return;
  OpenMenuFileAt(folder, name);
}

// The menu folder's parent is the disc folder, its name the boot folder. A
// file that did not load leaves the names it was found by as they were, so
// that a later Save cannot overwrite the file that failed, and the quit
// stores the last file's name with its own folders.
bool TfrmTb::OpenMenuFileAt(const std::string& folder, const std::string& name) {
  MenuDocument& doc = TheDocument;
  MenuFileNames before;
  KeepNames(before);
  CopyText(doc.MenuFileName, kPathSize, name.c_str());
  CopyText(doc.MenuFileDir, kPathSize, folder.c_str());
  std::string cdFolder, imageFolder;
  if (SplitPath(folder.c_str(), cdFolder, imageFolder)) {
    CopyText(doc.ImageFileDir, kPathSize, imageFolder.c_str());
    CopyText(doc.CDFileDir, kPathSize, cdFolder.c_str());
  }
  if (LoadMenuFile()) return true;
  RestoreNames(before);
  return false;
}

void TfrmTb::btnSaveClick() { SaveMenu(); }

void TfrmTb::btnSaveAsClick() { SaveMenuAs(); }

bool TfrmTb::SaveMenu() {
  if (!TheDocument.MenuFileName[0]) return SaveMenuAs();
  SaveMenuFile();
  return true;
}

bool TfrmTb::SaveMenuAs() {
  char path[kFileDialogPathSize];
  std::string folder, name;
  if (!AskMenuFilePath(Handle(), true, path) || !SplitPath(path, folder, name)) return false;
  // A refused name saves nothing: the action that asked for it is taken
  // back, as after Cancel, and there is no failed save to ask about.
  if (!IsMenuFileName(name)) {
    char text[1200];
    snprintf(text, sizeof text, GetString(kStrMenuNameTooLong), name.c_str());
    ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbIconInformation);
    return false;
  }
  // A failed save leaves the menu under the name and folder it had.
  MenuFileNames before;
  KeepNames(before);
  CopyText(TheDocument.MenuFileName, kPathSize, name.c_str());
  CopyText(TheDocument.MenuFileDir, kPathSize, folder.c_str());
  if (!SaveMenuFile()) RestoreNames(before);
  return true;
}

// The image is built from the menu file on disc, so the document is saved
// first without a word; when that save fails the user decides whether to
// go on with the file as it was. The quiet save says nothing of its own,
// so a menu folder that is gone is named in the question. A menu never
// saved has no file yet: it is given a name first, as Save does, and
// Cancel there takes back the Make ISO.
void TfrmTb::btnISOMakeClick() {
  if (!IsDocumentEmpty()) {
    bool saved;
    if (TheDocument.MenuFileName[0]) {
      QuietSave = 1;
      saved = SaveMenuFile();
      QuietSave = 0;
    } else {
      if (!SaveMenuAs()) return;
      saved = !TheDocument.DocumentModified;
    }
    if (!saved) {
      char text[1200];
      std::string question;
      if (!FolderExists(TheDocument.MenuFileDir)) {
        snprintf(text, sizeof text, GetString(kStrFolderNotExist), TheDocument.MenuFileDir);
        question = std::string(text) + "\n\n";
      }
      snprintf(text, sizeof text, GetString(kStrSaveErrorGoOn), GetString(kStrActionMakeIso));
      question += text;
      if (Ask(Handle(), question.c_str(), kMbYesNo) != kIdYes) return;
    }
  }
  if (frmMakeISO) frmMakeISO->Show();
}

bool TfrmTb::ConfirmFat32Overflow() {
  return Ask(Handle(), GetString(kStrFat32Overflow), kMbYesNo | kMbDefButton2) == kIdYes;
}

void TfrmTb::UndoLastChange() { PopUndo(); }

// At the mouse cursor, read through the cursor seam.
void TfrmTb::OpenPopupMenu(int menu) {
  const ScreenPoint cursor = CursorPosition();
  PopupMenuAt(menu).Popup(cursor.x, cursor.y);
}

void TfrmTb::pmHelpClick() {
  char path[2 * kPathSize];
  if (JoinPath(path, sizeof path, GetHomeDir(), "Tarnwick.chm")) ShellOpen(path);
}
