#pragma once
// The program's forms with the main window shown, in a program folder of
// its own (with korvel.dat and the disc folder disk1\KORVEL), the real
// settings key of the test prefix removed before and after, a preview that
// records what it is asked, and answerers for the message boxes and file
// dialogs. Tests play the user through tests/win/form_driver.h.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/process_settings.h"
#include "app/startup.h"
#include "menu/document.h"
#include "menu/korvel_template.h"
#include "platform/files.h"
#include "tests/win/form_driver.h"
#include "ui/designer_links.h"
#include "ui/frm_tb.h"
#include "ui/program_forms.h"

class RecordingPreview : public PreviewLink {
 public:
  void RepaintPreview() override { calls.push_back("RepaintPreview"); }
  void RelayoutPreview() override { calls.push_back("RelayoutPreview"); }
  void LoadBackImage() override { calls.push_back("LoadBackImage"); }
  void ShowCurrentItemFocus() override { calls.push_back("ShowCurrentItemFocus"); }
  void EraseFocusRect() override { calls.push_back("EraseFocusRect"); }
  void SetEditEnabled(bool on) override { calls.push_back(on ? "EditOn" : "EditOff"); }
  void ShowPreview() override { calls.push_back("ShowPreview"); }
  void HidePreview() override { calls.push_back("HidePreview"); }
  int Count(const std::string& call) const {
    int n = 0;
    for (const std::string& c : calls) n += c == call;
    return n;
  }
  std::vector<std::string> calls;
};

inline std::string JoinPaths(const std::string& dir, const std::string& name) { return dir + "\\" + name; }

class MainWindowTest : public ::testing::Test {
 protected:
  typedef TfrmTb T;

  void SetUp() override {
    RemoveSettingsKey();
    static int serial = 0;
    char temp[1100];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    home_ = JoinPaths(temp, "tw_main_window_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial));
    menuDir_ = JoinPaths(JoinPaths(home_, "disk1"), "KORVEL");
    RemoveTree(home_);  // Wine reuses process ids: an earlier run's folder may be there
    ASSERT_TRUE(CreateFolder(home_.c_str()));
    ASSERT_TRUE(CreateFolder(JoinPaths(home_, "disk1").c_str()));
    ASSERT_TRUE(CreateFolder(menuDir_.c_str()));
    const char* binary = getenv("TW_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    ASSERT_TRUE(CopyFileTo((std::string(binary) + "/" + kTemplateFileName).c_str(),
                           JoinPaths(home_, kTemplateFileName).c_str(), false));
    CopyText(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, home_.c_str());
    TheProcessSettings.startupMenuPath[0] = 0;
    // Tests before may have changed what a new menu keeps.
    TheDocument.Resolution = kResolution640x480;
    TheDocument.ColorMode = kColors256;
    TheDocument.BackImageName[0] = 0;
    CreateProgramForms(TheApplication);
    // In place of the preview window, which installed itself.
    previewBefore_ = SetPreviewLink(&preview);
  }

  void TearDown() override {
    SetPreviewLink(previewBefore_);
    TheApplication.DestroyForms();
    TakeQuitMessage();
    RemoveSettingsKey();
    RemoveTree(home_);
  }

  // The first showing: settings, document, fields.
  void Show() {
    frmTb->Show();
    form_driver::Pump();
  }

  // A menu without logo and background, whose files the tests do not make.
  static void WithoutPictures() {
    TheDocument.LogoOn = 0;
    TheDocument.BackImageOn = 0;
  }

  // The preview window's own work (loading the background picture) in
  // place of the recording, for the rest of the test.
  void UseRealPreview() { SetPreviewLink(previewBefore_); }

  Control At(int id) { return frmTb->ControlAt(id); }
  std::string Text(int id) { return At(id).Text(); }
  void SelectPage(int page) { form_driver::SelectPage(*frmTb, T::tabstrp, page); }
  void Click(int id) { form_driver::Click(*frmTb, id); }
  // Types into a field and leaves it (its commit runs); an empty text
  // clears the field with the Delete key.
  void Enter(int id, const char* text) {
    form_driver::Focus(*frmTb, id);
    SendMessageA(At(id), EM_SETSEL, 0, -1);
    if (HWND edit = FindWindowExA(At(id), nullptr, "Edit", nullptr)) SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text[0] == 0) form_driver::PressKey(VK_DELETE);
    form_driver::Type(text);
    form_driver::LeaveField(*frmTb);
  }

  // True when the quit message was posted (it is taken from the queue).
  static bool TakeQuitMessage() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }

  // Deletes a folder with everything in it, without asking.
  static void RemoveTree(const std::string& folder) {
    std::string from = folder + std::string(1, '\0');  // the list ends with two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
  }

  // The settings key of the test prefix's registry.
  static void RemoveSettingsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath); }
  static void PutSetting(const char* name, const char* text) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKeyPath, &key));
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
    RegCloseKey(key);
  }
  static std::string Setting(const char* name) {
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKeyPath, &key) != ERROR_SUCCESS) return "<no key>";
    char text[1100] = "";
    DWORD size = sizeof text;
    LONG result = RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)text, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? text : "<missing>";
  }

  std::string home_, menuDir_;
  RecordingPreview preview;
  form_driver::MessageBoxAnswerer boxes{kIdNo};
  form_driver::FileDialogAnswerer dialogs;

 private:
  PreviewLink* previewBefore_ = nullptr;
};
