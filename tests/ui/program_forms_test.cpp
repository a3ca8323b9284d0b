#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/frm_preview.h"
#include "ui/frm_tb.h"
#include "ui/program_forms.h"
#include "win/application.h"

namespace {

const char* const kNames[] = {"frmTb", "frmPreview", "frmMakeISO", "frmProgress",
                              "frmFloppy", "frmNewImage", "frmReplace", "frmConfig"};

class ProgramFormsTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateProgramForms(TheApplication); }
  void TearDown() override { TheApplication.DestroyForms(); }
};

TEST_F(ProgramFormsTest, EightFormsInOrderWithTheirNamesAndClasses) {
  ASSERT_EQ(8, TheApplication.FormCount());
  for (int i = 0; i < 8; ++i) {
    Form* form = TheApplication.FormAt(i);
    std::string className = std::string("T") + kNames[i];
    EXPECT_STREQ(kNames[i], form->Name());
    EXPECT_EQ(className, form->ClassName());
    char windowClass[64];
    GetClassNameA(*form, windowClass, sizeof windowClass);
    EXPECT_EQ(className, windowClass);
    EXPECT_FALSE(form->Visible()) << kNames[i];  // creating a form does not show it
    if (i > 0) {
      EXPECT_EQ(frmTb->Handle(), GetWindow(*form, GW_OWNER));
    }
  }
  EXPECT_EQ(frmTb, TheApplication.MainForm());
  EXPECT_EQ(frmPreview, TheApplication.FindForm("frmPreview"));
  EXPECT_EQ("Tarnwick", frmTb->Caption());
}

TEST_F(ProgramFormsTest, RunShowsTheMainFormAndClosingItEndsWithZero) {
  PostMessageA(*frmTb, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, TheApplication.Run());
  EXPECT_TRUE(frmTb->Visible());
  EXPECT_TRUE(frmPreview->Visible());  // the main window's first showing shows it
}

// A frame (bevel or group box) drawn around controls lies below them, so
// that it never clips away a control it surrounds.
TEST_F(ProgramFormsTest, EveryFrameLiesBelowTheControlsItOverlaps) {
  for (int i = 0; i < TheApplication.FormCount(); ++i) {
    Form& form = *TheApplication.FormAt(i);
    const FormDescription& d = form.Description();
    for (int f = 0; f < d.controlCount; ++f) {
      const ControlDescription& frame = d.controls[f];
      if (frame.role != kRoleBevel && frame.role != kRoleGroupBox) continue;
      HWND frameWindow = form.ControlAt(frame.id);
      RECT frameRect, rect, overlap;
      GetWindowRect(frameWindow, &frameRect);
      // The windows below the frame in the z-order, which it would clip.
      for (HWND sibling = GetWindow(frameWindow, GW_HWNDNEXT); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        GetWindowRect(sibling, &rect);
        char name[64] = "";
        GetClassNameA(sibling, name, sizeof name);
        EXPECT_FALSE(IntersectRect(&overlap, &frameRect, &rect))
            << form.Name() << ": " << form.ControlName(frame.id) << " covers a " << name << " control "
            << GetDlgCtrlID(sibling) - kFirstRowId << " ("
            << form.ControlName(GetDlgCtrlID(sibling) - kFirstRowId) << ")";
      }
    }
  }
}

}  // namespace
