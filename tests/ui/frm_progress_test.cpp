// The progress window through the progress calls the jobs make: its two
// modes, the texts and the bar, Stop, the message pump and the layouts.
#include <gtest/gtest.h>

#include <cstring>

#include "app/language.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "platform/cursor_shape.h"
#include "tests/win/form_driver.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_progress.h"
#include "ui/program_forms.h"
#include "win/application.h"

namespace {

typedef TfrmProgress P;

time_t g_now = 1000000;
uint32_t g_ticks = 0;
uint32_t g_tickStep = 1000;  // each update comes a second after the one before
time_t FakeSeconds() { return g_now; }
uint32_t FakeMilliseconds() { return g_ticks += g_tickStep; }
const ProgressClock kFakeClock = {FakeSeconds, FakeMilliseconds};

void IgnoreShape(CursorShape) {}

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateProgramForms(TheApplication);
    g_tickStep = 1000;
    clockBefore_ = SetProgressClock(&kFakeClock);
    shapeBefore_ = SetCursorShapeHandler(IgnoreShape);
    strcpy(ISOFilePath, "C:\\images\\disc.iso");
  }
  void TearDown() override {
    SetProgressClock(clockBefore_);
    SetCursorShapeHandler(shapeBefore_);
    TheApplication.DestroyForms();
    TheLanguage.currentLangId = 1033;
  }
  std::string Text(int id) { return frmProgress->ControlAt(id).Text(); }
  bool Shown(int id) { return frmProgress->ControlAt(id).Visible(); }
  std::string Fields() {
    return Text(P::lbFileNameTxt) + "|" + Text(P::lbDoneTxt) + "|" + Text(P::lbUsedTxt) + "|" + Text(P::lbNeedTxt);
  }

  const ProgressClock* clockBefore_;
  CursorShapeHandler shapeBefore_;
};

TEST_F(ProgressWindowTest, PreparingModeShowsOneLineThatFollowsTheOptimizeOption) {
  IsoOptions.Optimize = 1;
  ShowPreparing();
  EXPECT_EQ("", frmProgress->Caption());
  EXPECT_EQ("Optimizing File System, Please Wait ...", Text(P::lbWait));
  EXPECT_TRUE(Shown(P::lbWait));
  EXPECT_FALSE(Shown(P::btnCancel));
  HideProgress();
  IsoOptions.Optimize = 0;
  ShowPreparing();
  EXPECT_EQ("Preparing File System, Please Wait ...", Text(P::lbWait));
  CloseProgress();
  EXPECT_FALSE(frmProgress->Visible());
}

TEST_F(ProgressWindowTest, TextsAtTheStartHalfwayAfterThirtySecondsAndAfterStop) {
  StartProgress();
  EXPECT_EQ("Progress", frmProgress->Caption());
  EXPECT_FALSE(Shown(P::lbWait));
  EXPECT_EQ("C:\\images\\disc.iso|0%|00:00:00|00:00:00", Fields());
  ProgressBar bar(frmProgress->ControlAt(P::pbProgress));
  EXPECT_EQ(10000, bar.Max());
  SendMessageA(*frmProgress, WM_CLOSE, 0, 0);  // Alt+F4 is refused
  EXPECT_TRUE(frmProgress->Visible());

  // At or below 0.0001 nothing is shown.
  long repaints = ProgressRepaintCount();
  EXPECT_EQ(0, UpdateProgress(0.0001));
  EXPECT_EQ(repaints, ProgressRepaintCount());
  g_now += 30;
  EXPECT_EQ(0, UpdateProgress(0.5));
  EXPECT_EQ("C:\\images\\disc.iso| 50.00%|00:00:30|00:00:30", Fields());
  EXPECT_EQ(5000, bar.Position());
  EXPECT_EQ(repaints + 4, ProgressRepaintCount());
  UpdateProgress(0.5);  // nothing changed, nothing is repainted
  EXPECT_EQ(repaints + 4, ProgressRepaintCount());
  g_now += 100 * 3600 - 30;  // hours are not capped
  UpdateProgress(0.9999);
  EXPECT_EQ("100:00:00", Text(P::lbUsedTxt));

  form_driver::Click(*frmProgress, P::btnCancel);
  repaints = ProgressRepaintCount();
  EXPECT_EQ(1, UpdateProgress(1.0));
  EXPECT_EQ(repaints, ProgressRepaintCount());
  CloseProgress();
  EXPECT_EQ(1, ProgressCancelled);  // the job reads it after closing the window
  StartProgress();                  // the next job starts afresh
  EXPECT_EQ(0, ProgressCancelled);
  EXPECT_EQ("C:\\images\\disc.iso|0%|00:00:00|00:00:00", Fields());
  EXPECT_EQ(0, bar.Position());
  CloseProgress();
}

TEST_F(ProgressWindowTest, AnUpdateHandsOnOneMessageAtMostEveryIntervalAndStopArrivesThatWay) {
  EnableWindow(*frmProgress, FALSE);  // as a modal dialog running the job leaves it
  StartProgress();
  EXPECT_TRUE(IsWindowEnabled(*frmProgress));
  form_driver::Pump();
  g_tickStep = 0;  // the first update after the start works, the next in the same millisecond not
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  EXPECT_EQ(0, UpdateProgress(0.25));
  EXPECT_EQ(0, UpdateProgress(0.5));
  EXPECT_EQ(" 25.00%", Text(P::lbDoneTxt));
  EXPECT_EQ(kShapeHourglass, CurrentCursorShape());
  g_tickStep = kProgressUpdateIntervalMs;
  UpdateProgress(0.5);
  EXPECT_EQ(" 50.00%", Text(P::lbDoneTxt));
  MSG left;
  EXPECT_TRUE(PeekMessageA(&left, *frmProgress, WM_APP + 50, WM_APP + 50, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&left, *frmProgress, WM_APP + 50, WM_APP + 50, PM_REMOVE));

  PostMessageA(frmProgress->ControlAt(P::btnCancel), BM_CLICK, 0, 0);
  EXPECT_EQ(0, UpdateProgress(0.6));  // the click shows in the flag, not in this result
  EXPECT_EQ(1, ProgressCancelled);
  EXPECT_EQ(kShapeArrow, CurrentCursorShape());
  CloseProgress();
}

TEST_F(ProgressWindowTest, AQuitDuringTheJobStopsItAndIsPostedAgainAfterIt) {
  StartProgress();
  form_driver::Pump();
  PostQuitMessage(7);
  EXPECT_EQ(0, UpdateProgress(0.3));
  EXPECT_EQ(1, ProgressCancelled);
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  CloseProgress();
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7, (int)message.wParam);
}

TEST_F(ProgressWindowTest, WhilePreparingPendingMessagesAreHandedOnEachIntervalAndAQuitStopsTheJob) {
  ShowPreparing();
  form_driver::Pump();
  g_tickStep = 0;  // the first call after the show works, the next in the same millisecond not
  MSG left;
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  EXPECT_EQ(0, AnswerWhilePreparing());
  EXPECT_FALSE(PeekMessageA(&left, *frmProgress, WM_APP + 50, WM_APP + 50, PM_NOREMOVE));
  PostMessageA(*frmProgress, WM_APP + 50, 0, 0);
  EXPECT_EQ(0, AnswerWhilePreparing());
  EXPECT_TRUE(PeekMessageA(&left, *frmProgress, WM_APP + 50, WM_APP + 50, PM_NOREMOVE));
  g_tickStep = kProgressUpdateIntervalMs;
  EXPECT_EQ(0, AnswerWhilePreparing());
  EXPECT_FALSE(PeekMessageA(&left, *frmProgress, WM_APP + 50, WM_APP + 50, PM_NOREMOVE));

  PostQuitMessage(3);
  EXPECT_EQ(1, AnswerWhilePreparing());
  EXPECT_EQ(1, AnswerWhilePreparing());
  CloseProgress();
  ASSERT_TRUE(PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3, (int)left.wParam);
}

TEST_F(ProgressWindowTest, GermanLayoutsOfBothModesAndBackToTheDesign) {
  TheLanguage.currentLangId = 1031;
  StartProgress();
  EXPECT_EQ(425, frmProgress->Width());
  EXPECT_EQ(352, frmProgress->ControlAt(P::lbNeedTxt).Left());
  HideProgress();
  ShowPreparing();
  EXPECT_EQ(529, frmProgress->Width());
  EXPECT_EQ(485, frmProgress->ControlAt(P::lbWait).Width());
  HideProgress();
  TheLanguage.currentLangId = 1033;
  StartProgress();
  EXPECT_EQ(240, frmProgress->ControlAt(P::lbNeedTxt).Left());
  EXPECT_EQ(304, frmProgress->ClientWidth());
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - frmProgress->Width()) / 2, frmProgress->Left());
  CloseProgress();
}

}  // namespace
