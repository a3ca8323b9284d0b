#pragma once
// The program's forms with the main form placed, the document's menu folder
// in a scratch folder of the test's own, and the boxes and file dialogs
// answered, for the tests of the Tools menu's dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/message_boxes.h"
#include "menu/document.h"
#include "platform/dir_list.h"
#include "platform/files.h"
#include "tests/win/form_driver.h"
#include "ui/program_forms.h"
#include "win/application.h"

class ToolDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateProgramForms(TheApplication);
    main_ = TheApplication.MainForm();
    main_->SetPosition(100, 60);
    char temp[512];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = Path(temp, std::string("tw_ui_") + info->test_suite_name() + "_" + info->name());
    RemoveFiles();  // left by a run that stopped half-way
    ASSERT_TRUE(CreateFolder(dir_.c_str()));
    snprintf(TheDocument.MenuFileDir, sizeof TheDocument.MenuFileDir, "%s", dir_.c_str());
  }
  void TearDown() override {
    TheApplication.DestroyForms();
    RemoveFiles();
    RemoveFolder(dir_.c_str());
  }
  static std::string Path(const std::string& dir, const std::string& name) {
    char out[1024];
    JoinPath(out, sizeof out, dir.c_str(), name.c_str());
    return out;
  }
  std::string File(const std::string& name) const { return Path(dir_, name); }
  // Where a tool dialog must stand: its left edge at the main form's
  // horizontal centre, its top a quarter of the main form's height down.
  void ExpectPlacedBesideMainForm(const Form& dialog) {
    EXPECT_EQ(main_->Left() + main_->Width() / 2, dialog.Left()) << dialog.Name();
    EXPECT_EQ(main_->Top() + main_->Height() / 4, dialog.Top()) << dialog.Name();
  }
  // Runs the dialog modally until its Return button is clicked.
  static void RunUntilReturn(Form& dialog, int btnCancel, void (*run)()) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFirstRowId + btnCancel, BN_CLICKED),
                 (LPARAM)(HWND)dialog.ControlAt(btnCancel));
    run();
  }
  static std::string Text(Form& form, int id) { return form.ControlAt(id).Text(); }

  Form* main_ = nullptr;
  std::string dir_;
  form_driver::MessageBoxAnswerer boxes_;

 private:
  void RemoveFiles() {
    DirListing* listing = OpenDirListing(dir_.c_str());
    DirItem item;
    while (listing && NextDirItem(listing, &item)) {
      std::string name = item.name;
      if (name != "." && name != "..") ForceDeleteFile(File(name).c_str());
    }
    if (listing) CloseDirListing(listing);
  }
};
