// The main window's settings: the values of the settings key read at the
// first showing (InitMainForm), the set-up of the document and the fields,
// and the quit sequence that stores them again.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/startup.h"
#include "app/string_ids.h"
#include "menu/document.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "ui/frm_preview.h"
#include "ui/frm_tb.h"
#include "ui/frm_tb_tables.h"
#include "ui/main_settings.h"
#include "ui/preview_font.h"

const char ProgramVersion[] = "3.0.0.1";

MainSettings TheMainSettings = {1, "bootmenu.zqk", "", "", "BootMenu", "", {0, 0, 0, 0, 1, 1, 0}};

namespace {

const char kNoticeText[] = "Boot menus and bootable CD/DVD images. Copyright (C) Tarnwick Systems.";
const char kContactText[] = "support@tarnwick.com";

// Values are read as text into a buffer of this size (a folder, a name).
const size_t kValueSize = 1024;

// The image options in the order the settings key keeps them.
struct IsoSettingName {
  const char* name;
  int32_t IsoSettingValues::*value;
};
const IsoSettingName kIsoSettingNames[] = {
    {"Optimize", &IsoSettingValues::Optimize},         {"VOL_DOS83", &IsoSettingValues::VOL_DOS83},
    {"VOL_Lowercase", &IsoSettingValues::VOL_Lowercase}, {"VOL_Joliet", &IsoSettingValues::VOL_Joliet},
    {"SetDateTime", &IsoSettingValues::SetDateTime},   {"HideBootFolder", &IsoSettingValues::HideBootFolder},
    {"HideBootFiles", &IsoSettingValues::HideBootFiles},
};

// A decimal value: leading blanks, a sign, digits. A text without a number
// leaves the setting as it is.
void ReadDecimal(RegistryKey key, const char* name, int32_t& setting) {
  char text[kValueSize];
  int value;
  if (ReadRegistryText(key, name, text, sizeof text) == kRegRead && sscanf(text, "%d", &value) == 1) {
    setting = value;
  }
}

// A byte setting keeps the low 8 bits of the number.
void ReadByte(RegistryKey key, const char* name, uint8_t& setting) {
  int32_t value = setting;
  ReadDecimal(key, name, value);
  setting = (uint8_t)value;
}

// A text read into a buffer of the setting's own size: a value that does
// not fit is refused whole, never cut.
bool ReadText(RegistryKey key, const char* name, char* setting, size_t size) {
  std::string text(size, '\0');
  if (ReadRegistryText(key, name, &text[0], size) != kRegRead) return false;
  memcpy(setting, text.data(), size);
  return true;
}

// A folder value is taken only when the folder exists.
void ReadFolder(RegistryKey key, const char* name, char* setting) {
  char folder[kPathSize];
  if (ReadText(key, name, folder, sizeof folder) && FolderExists(folder)) CopyText(setting, kPathSize, folder);
}

// The text from the last dot on is ".zqk", in any case.
bool HasMenuExtension(const char* name) {
  const char* dot = strrchr(name, '.');
  return dot && strlen(dot) == 4 && _stricmp(dot, ".zqk") == 0;
}

void WriteDecimal(RegistryKey key, const char* name, int value) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  WriteRegistryText(key, name, text);
}

void SetDefaultFolders() {
  MenuDocument& doc = TheDocument;
  JoinPath(doc.CDFileDir, kPathSize, GetHomeDir(), "disk1");
  CopyText(doc.ImageFileDir, kPathSize, "KORVEL");
}

// Step 7: the values of the settings key in their order.
void ReadSettingValues(RegistryKey key) {
  MenuDocument& doc = TheDocument;
  MainSettings& s = TheMainSettings;
  int32_t autoLoad = s.AutoLoad;
  ReadDecimal(key, "AutoLoad", autoLoad);
  s.AutoLoad = (uint8_t)autoLoad;
  // Kept "0" while the program runs, so that a run that ends without the
  // quit sequence does not reopen its file at the next start.
  if (s.AutoLoad) WriteRegistryText(key, "AutoLoad", "0");
  char name[kPathSize];
  if (ReadText(key, "MenuFileName", name, sizeof name) && HasMenuExtension(name)) {
    CopyText(doc.MenuFileName, kPathSize, name);
  }
  char folder[kPathSize], path[kPathSize];
  if (ReadText(key, "ImageFileDir", folder, sizeof folder) &&
      JoinPath(path, sizeof path, doc.CDFileDir, folder) && FolderExists(path)) {
    CopyText(doc.ImageFileDir, kPathSize, folder);
  }
  ReadText(key, "CDVolumeID", s.VolumeLabel, sizeof s.VolumeLabel);
  ReadText(key, "PreparerName", s.PreparerName, sizeof s.PreparerName);
  ReadFolder(key, "ISOFileDir", s.ISOFileDir);
  ReadText(key, "ISOFileName", s.ISOFileName, sizeof s.ISOFileName);
  for (const IsoSettingName& setting : kIsoSettingNames) ReadDecimal(key, setting.name, s.IsoSettings.*setting.value);
  ReadByte(key, "KeepKernel", doc.KeepKernel);
  ReadByte(key, "SmoothVideo", doc.SmoothVideo);
}

}  // namespace

void TfrmTb::InitMainForm() {
  MenuDocument& doc = TheDocument;
  MainSettings& s = TheMainSettings;
  int32_t left = 20;
  int32_t top = (GetSystemMetrics(SM_CYSCREEN) - 26 - Height()) / 2;
  if (RegistryKey key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath)) {
    char home[kValueSize];
    if (ReadRegistryText(key, nullptr, home, sizeof home) == kRegRead) {
      TakeHomeDirFromValue(home, TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir);
    }
    ReadDecimal(key, "PanelLeft", left);
    ReadDecimal(key, "PanelTop", top);
    CloseRegistryKey(key);
  }
  SetDefaultFolders();
  if (RegistryKey key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath)) {
    ReadFolder(key, "CDFileDir", doc.CDFileDir);
    CloseRegistryKey(key);
  }
  // A stored place is taken as it is while the title bar can be reached.
  SetPosition(left, top);
  KeepOnDesktop();

  SetCaption("Tarnwick");
  char version[128];
  snprintf(version, sizeof version, "%s %s", GetString(kStrVersion), ProgramVersion);
  ControlAt(lbAboutVer).SetText(version);
  ControlAt(lbAboutNotice).SetText(kNoticeText);
  ControlAt(lbAboutContact).SetText(kContactText);
  ControlAt(lbAboutWeb).SetText(TheProcessSettings.homePageLink);

  CopyText(doc.MenuFileName, kPathSize, "bootmenu.zqk");
  CopyText(doc.ImageFileDir, kPathSize, "KORVEL");
  CopyText(s.VolumeLabel, sizeof s.VolumeLabel, "BootMenu");
  CopyText(s.PreparerName, sizeof s.PreparerName, ProgramVersion);
  JoinPath(s.ISOFileDir, kPathSize, GetHomeDir(), "iso");
  CopyText(s.ISOFileName, kPathSize, "mydisk.iso");
  if (RegistryKey key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath)) {
    ReadSettingValues(key);
    CloseRegistryKey(key);
  }
  CopyText(s.MenuFileName, kPathSize, doc.MenuFileName);
  // Two long folder texts may not fit one: the defaults then stand.
  if (!JoinPath(doc.MenuFileDir, kPathSize, doc.CDFileDir, doc.ImageFileDir)) {
    SetDefaultFolders();
    JoinPath(doc.MenuFileDir, kPathSize, doc.CDFileDir, doc.ImageFileDir);
  }

  ResetMenuDocument();
  for (int list = 0; list < kListCount; ++list) doc.ItemLimit[list] = ListLimitOf(list);
  InitFieldLimits();
  currentPage_ = kPageFile;
  currentList_ = kNoList;
  PageControl(ControlAt(tabstrp)).SetActivePage(kPageFile);
  InitPreviewFont();
  previewEditOn_ = true;
  ThePreviewLink().SetEditEnabled(true);
  for (int code = 0; code < kColorComboCount; ++code) SetColorIndex(kColorCombos[code].control, kColorComboStart[code]);
  ShowDocumentSettings();
  ShowCurrentItem(kAllLists);
}

// Steps 1 to 3 of the quit sequence: every setting into the settings key,
// which is made when it is missing; nothing is written when it can be
// neither opened nor made.
void TfrmTb::WriteSettings() {
  RegistryKey key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath);
  if (!key) key = CreateRegistryKey(kRegCurrentUser, kSettingsKeyPath);
  if (!key) return;
  const MenuDocument& doc = TheDocument;
  const MainSettings& s = TheMainSettings;
  WriteDecimal(key, "PanelLeft", Left());
  WriteDecimal(key, "PanelTop", Top());
  if (frmPreview) {
    WriteDecimal(key, "PreviewLeft", frmPreview->Left());
    WriteDecimal(key, "PreviewTop", frmPreview->Top());
  }
  WriteDecimal(key, "AutoLoad", s.AutoLoad);
  WriteDecimal(key, "KeepKernel", doc.KeepKernel);
  WriteDecimal(key, "SmoothVideo", doc.SmoothVideo);
  WriteRegistryText(key, "CDFileDir", doc.CDFileDir);
  WriteRegistryText(key, "MenuFileName", doc.MenuFileName[0] ? doc.MenuFileName : s.MenuFileName);
  WriteRegistryText(key, "ImageFileDir", doc.ImageFileDir);
  WriteRegistryText(key, "CDVolumeID", s.VolumeLabel);
  WriteRegistryText(key, "PreparerName", s.PreparerName);
  WriteRegistryText(key, "ISOFileDir", s.ISOFileDir);
  WriteRegistryText(key, "ISOFileName", s.ISOFileName);
  for (const IsoSettingName& setting : kIsoSettingNames) WriteDecimal(key, setting.name, s.IsoSettings.*setting.value);
  CloseRegistryKey(key);
}

// Every way of quitting (Exit, the caption's close button, Alt+F4) first
// commits the field that holds the focus, as a click on Exit does, so that
// the save question knows its value. A cancelled quit gives the focus back.
void TfrmTb::SaveSettingsAndQuit() {
  HWND focused = LeaveFocusedControl();
  WriteSettings();
  const std::string name = TheDocument.MenuFileName;
  if (!AskSaveChanges(GetString(kStrActionQuit))) {
    // A menu named in the save question's Save As is the one the next
    // start opens.
    if (name != TheDocument.MenuFileName) WriteSettings();
    PostQuitMessage(0);
    return;
  }
  RestoreFocus(focused);
}
