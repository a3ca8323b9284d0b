#include "ui/frm_progress.h"

#include <cstdio>
#include <cstring>

#include "app/language.h"
#include "app/string_ids.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "platform/cursor_shape.h"
#include "ui/design_layout.h"
#include "ui/frm_make_iso.h"
#include "win/application.h"

TfrmProgress* frmProgress = nullptr;
int ProgressMode = kProgressModePreparing;
time_t ProgressStartTime = 0;

namespace {

typedef TfrmProgress P;

const char* const kNames[] = {FRM_PROGRESS_NAMES(TW_NAME_TEXT)};

// Design client area of each mode (96 DPI).
const int kProgressClientWidth = 304, kProgressClientHeight = 137;
const int kPreparingClientWidth = 310, kPreparingClientHeight = 70;
const int kWaitLineTop = 24;
const int kBarMax = 10000;
// Messages handed on at most in one turn of AnswerWhilePreparing.
const int kMessagesPerPreparingTurn = 16;

const ControlDescription kRows[] = {
    {P::lbFileName, kRoleLabel, kFormItself, 10, 18, 52, 13, "FileName:"},
    {P::lbUsed, kRoleLabel, kFormItself, 102, 50, 40, 13, "Elapsed:"},
    {P::pbProgress, kRoleProgressBar, kFormItself, 8, 80, 281, 16, "", kStyleSmooth},
    {P::lbDone, kRoleLabel, kFormItself, 8, 50, 30, 13, "Done:"},
    {P::btnCancel, kRoleButton, kFormItself, 112, 104, 65, 23, "Stop"},
    {P::lbNeed, kRoleLabel, kFormItself, 200, 50, 38, 13, "Remain:"},
    {P::lbDoneTxt, kRoleStaticText, kFormItself, 40, 48, 49, 17, "0%", kStyleSunken | kStyleCenter | kStyleKeepFont},
    {P::lbNeedTxt, kRoleStaticText, kFormItself, 240, 48, 49, 17, "00:00:00",
     kStyleSunken | kStyleCenter | kStyleKeepFont},
    {P::lbUsedTxt, kRoleStaticText, kFormItself, 144, 48, 46, 17, "00:00:00",
     kStyleSunken | kStyleCenter | kStyleKeepFont},
    {P::lbFileNameTxt, kRoleEdit, kFormItself, 65, 17, 223, 16, "", kStyleReadOnly | kStyleNoBorder},
    {P::bvFileName, kRoleBevel, kFormItself, 64, 16, 225, 18, ""},
    {P::lbWait, kRoleLabel, kFormItself, 24, 0, 266, 16, "", kStyleBold},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 3001},  // "Progress"
    {P::lbFileName, kCaptionText, 0, 3002},  // "FileName:"
    {P::lbDone, kCaptionText, 0, 3003},      // "Done:"
    {P::lbUsed, kCaptionText, 0, 3004},      // "Elapsed:"
    {P::lbNeed, kCaptionText, 0, 3005},      // "Remain:"
    {P::btnCancel, kCaptionText, 0, 3006},   // "Stop"
};

// Left and width of a row; the form's outer width.
#define LW(name, left, width) {P::name, kOverrideLeft, left}, {P::name, kOverrideWidth, width}
#define L(name, left) {P::name, kOverrideLeft, left}
#define WIDTH(width) {kFormItself, kOverrideWidth, width}

// Progress mode, by language: the form, the file-name row, the three
// captions with their fields, the bar and Stop.
const LayoutOverride kProgress1028[] = {
    WIDTH(312), LW(lbFileName, 8, 40), LW(bvFileName, 64, 232), LW(lbFileNameTxt, 65, 230),
    LW(lbDone, 8, 28), LW(lbUsed, 98, 40), LW(lbNeed, 197, 40),
    L(lbDoneTxt, 39), L(lbUsedTxt, 141), L(lbNeedTxt, 240), LW(pbProgress, 8, 288), LW(btnCancel, 119, 65)};
const LayoutOverride kProgress1029[] = {
    WIDTH(328), LW(lbFileName, 8, 40), LW(bvFileName, 64, 248), LW(lbFileNameTxt, 65, 246),
    LW(lbDone, 8, 40), LW(lbUsed, 110, 48), LW(lbNeed, 217, 36),
    L(lbDoneTxt, 51), L(lbUsedTxt, 161), L(lbNeedTxt, 256), LW(pbProgress, 8, 304), LW(btnCancel, 127, 65)};
const LayoutOverride kProgress1031[] = {
    WIDTH(425), LW(lbFileName, 7, 54), LW(bvFileName, 64, 345), LW(lbFileNameTxt, 65, 343),
    LW(lbDone, 32, 29), LW(lbUsed, 124, 82), LW(lbNeed, 264, 85),
    L(lbDoneTxt, 64), L(lbUsedTxt, 208), L(lbNeedTxt, 352), LW(pbProgress, 8, 401), LW(btnCancel, 184, 68)};
const LayoutOverride kProgress1034[] = {
    WIDTH(356), LW(lbFileName, 8, 42), LW(bvFileName, 64, 276), LW(lbFileNameTxt, 65, 274),
    LW(lbDone, 8, 36), LW(lbUsed, 106, 66), LW(lbNeed, 231, 50),
    L(lbDoneTxt, 47), L(lbUsedTxt, 175), L(lbNeedTxt, 284), LW(pbProgress, 8, 332), LW(btnCancel, 141, 65)};
const LayoutOverride kProgress1036[] = {
    WIDTH(326), LW(lbFileName, 8, 44), LW(bvFileName, 64, 246), LW(lbFileNameTxt, 65, 244),
    LW(lbDone, 8, 30), LW(lbUsed, 100, 44), LW(lbNeed, 203, 48),
    L(lbDoneTxt, 41), L(lbUsedTxt, 147), L(lbNeedTxt, 254), LW(pbProgress, 8, 302), LW(btnCancel, 126, 65)};
const LayoutOverride kProgress1040[] = {
    WIDTH(346), LW(lbFileName, 8, 52), LW(bvFileName, 66, 264), LW(lbFileNameTxt, 67, 262),
    LW(lbDone, 8, 32), LW(lbUsed, 102, 54), LW(lbNeed, 215, 56),
    L(lbDoneTxt, 43), L(lbUsedTxt, 159), L(lbNeedTxt, 274), LW(pbProgress, 8, 322), LW(btnCancel, 136, 65)};
const LayoutOverride kProgress1043[] = {
    WIDTH(350), LW(lbFileName, 8, 44), LW(bvFileName, 64, 270), LW(lbFileNameTxt, 65, 268),
    LW(lbDone, 8, 32), LW(lbUsed, 102, 58), LW(lbNeed, 219, 56),
    L(lbDoneTxt, 43), L(lbUsedTxt, 163), L(lbNeedTxt, 278), LW(pbProgress, 8, 326), LW(btnCancel, 138, 65)};
const LayoutOverride kProgress1044[] = {
    WIDTH(324), LW(lbFileName, 8, 42), LW(bvFileName, 64, 244), LW(lbFileNameTxt, 65, 242),
    LW(lbDone, 8, 38), LW(lbUsed, 108, 32), LW(lbNeed, 199, 50),
    L(lbDoneTxt, 49), L(lbUsedTxt, 143), L(lbNeedTxt, 252), LW(pbProgress, 8, 300), LW(btnCancel, 125, 65)};
const LayoutOverride kProgress1045[] = {
    WIDTH(350), LW(lbFileName, 8, 28), LW(bvFileName, 64, 270), LW(lbFileNameTxt, 65, 268),
    LW(lbDone, 8, 42), LW(lbUsed, 112, 50), LW(lbNeed, 221, 54),
    L(lbDoneTxt, 53), L(lbUsedTxt, 165), L(lbNeedTxt, 278), LW(pbProgress, 8, 326), LW(btnCancel, 138, 65)};
const LayoutOverride kProgress1048[] = {
    WIDTH(312), LW(lbFileName, 8, 38), LW(bvFileName, 64, 232), LW(lbFileNameTxt, 65, 230),
    LW(lbDone, 8, 30), LW(lbUsed, 100, 34), LW(lbNeed, 193, 36),
    L(lbDoneTxt, 41), L(lbUsedTxt, 137), L(lbNeedTxt, 232), LW(pbProgress, 8, 288), LW(btnCancel, 119, 65)};
const LayoutOverride kProgress1049[] = {
    WIDTH(344), LW(lbFileName, 8, 58), LW(bvFileName, 72, 256), LW(lbFileNameTxt, 73, 254),
    LW(lbDone, 8, 44), LW(lbUsed, 114, 44), LW(lbNeed, 217, 52),
    L(lbDoneTxt, 55), L(lbUsedTxt, 161), L(lbNeedTxt, 272), LW(pbProgress, 8, 320), LW(btnCancel, 135, 65)};
const LayoutOverride kProgress1055[] = {
    WIDTH(312), LW(lbFileName, 8, 52), LW(bvFileName, 66, 230), LW(lbFileNameTxt, 67, 228),
    LW(lbDone, 8, 38), LW(lbUsed, 108, 36), LW(lbNeed, 203, 34),
    L(lbDoneTxt, 49), L(lbUsedTxt, 147), L(lbNeedTxt, 240), LW(pbProgress, 8, 288), LW(btnCancel, 119, 65)};
const LayoutOverride kProgress2052[] = {
    WIDTH(312), LW(lbFileName, 8, 40), LW(bvFileName, 64, 232), LW(lbFileNameTxt, 65, 230),
    LW(lbDone, 8, 28), LW(lbUsed, 98, 40), LW(lbNeed, 197, 40),
    L(lbDoneTxt, 39), L(lbUsedTxt, 141), L(lbNeedTxt, 240), LW(pbProgress, 8, 288), LW(btnCancel, 119, 65)};
const LayoutOverride kProgress2070[] = {
    WIDTH(340), LW(lbFileName, 8, 46), LW(bvFileName, 64, 260), LW(lbFileNameTxt, 65, 258),
    LW(lbDone, 8, 32), LW(lbUsed, 102, 54), LW(lbNeed, 215, 50),
    L(lbDoneTxt, 43), L(lbUsedTxt, 159), L(lbNeedTxt, 268), LW(pbProgress, 8, 316), LW(btnCancel, 133, 65)};
// Arabic moves the three captions; the file name's frame starts a little
// further right for its longer caption, and the two times are wider for the
// Arabic system's wider digits.
const LayoutOverride kProgress10241[] = {
    LW(lbFileName, 8, 60), LW(bvFileName, 70, 219), LW(lbFileNameTxt, 71, 217),
    LW(lbDone, 24, 12), LW(lbUsed, 102, 36), LW(lbNeed, 204, 31),
    LW(lbUsedTxt, 142, 56), LW(lbNeedTxt, 237, 52)};

#define LANGUAGE(id, list) {id, list, sizeof list / sizeof list[0]}
const LanguageLayout kProgressLayouts[] = {
    LANGUAGE(1028, kProgress1028), LANGUAGE(1029, kProgress1029), LANGUAGE(1031, kProgress1031),
    LANGUAGE(1034, kProgress1034), LANGUAGE(1036, kProgress1036), LANGUAGE(1040, kProgress1040),
    LANGUAGE(1043, kProgress1043), LANGUAGE(1044, kProgress1044), LANGUAGE(1045, kProgress1045),
    LANGUAGE(1048, kProgress1048), LANGUAGE(1049, kProgress1049), LANGUAGE(1055, kProgress1055),
    LANGUAGE(2052, kProgress2052), LANGUAGE(2070, kProgress2070), LANGUAGE(10241, kProgress10241),
};

// Preparing mode, by language: the form's outer width, then the wait line.
#define PREPARING(id, form, left, width)                                                \
  const LayoutOverride kPreparing##id[] = {WIDTH(form), LW(lbWait, left, width)};
PREPARING(1028, 278, 24, 233)
PREPARING(1029, 376, 16, 338)
PREPARING(1031, 529, 16, 485)
PREPARING(1034, 415, 16, 378)
PREPARING(1036, 421, 16, 384)
PREPARING(1040, 362, 16, 322)
PREPARING(1044, 344, 24, 293)
PREPARING(1048, 423, 16, 387)
PREPARING(1049, 359, 24, 315)
PREPARING(1055, 453, 24, 398)
PREPARING(2052, 278, 24, 233)
PREPARING(10241, 334, 16, 296)
const LanguageLayout kPreparingLayouts[] = {
    LANGUAGE(1028, kPreparing1028), LANGUAGE(1029, kPreparing1029), LANGUAGE(1031, kPreparing1031),
    LANGUAGE(1034, kPreparing1034), LANGUAGE(1036, kPreparing1036), LANGUAGE(1040, kPreparing1040),
    LANGUAGE(1044, kPreparing1044), LANGUAGE(1048, kPreparing1048), LANGUAGE(1049, kPreparing1049),
    LANGUAGE(1055, kPreparing1055), LANGUAGE(2052, kPreparing2052), LANGUAGE(10241, kPreparing10241),
};

const FormDescription kDescription = {
    "frmProgress", "TfrmProgress", "", 0, 0, kProgressClientWidth, kProgressClientHeight, kBorderToolWindow,
    kFormStayOnTop, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0],
    kNames, P::kNameCount, kCaptions, sizeof kCaptions / sizeof kCaptions[0], kProgressLayouts,
    sizeof kProgressLayouts / sizeof kProgressLayouts[0]};

// What the three fields and the bar show, so that an update repaints only
// what changes: the percentage at most every 0.01 %, the times once a
// second.
struct ProgressFields {
  char doneText[16];
  char usedText[16];
  char needText[16];
  int barPosition;
  uint32_t lastUpdate;  // milliseconds of the last update that did its work
  long repaints;
};
ProgressFields Shown = {};

time_t SystemSeconds() { return time(nullptr); }
uint32_t SystemMilliseconds() { return GetTickCount(); }
const ProgressClock kSystemClock = {SystemSeconds, SystemMilliseconds};
const ProgressClock* Clock = &kSystemClock;

// A quit message that the pump took out of the queue during a job.
bool QuitTaken = false;
int QuitExitCode = 0;

// Hours, minutes and seconds ("%02d:%02d:%02d"); hours are not capped.
void FormatDuration(char* out, size_t size, long long seconds) {
  if (seconds < 0) seconds = 0;  // a clock set back
  long long hours = seconds / 3600, minutes = seconds / 60 % 60;
  snprintf(out, size, "%02d:%02d:%02d", (int)hours, (int)minutes, (int)(seconds % 60));
}

// The seam's calls go to the window while it exists.
void SeamShowPreparing() { frmProgress->ShowPreparingMode(); }
void SeamHideProgress() { frmProgress->HideWindow(); }
void SeamStartProgress() { frmProgress->StartProgressMode(); }
int SeamUpdateProgress(double fraction) { return frmProgress->UpdateFraction(fraction); }
void SeamCloseProgress() { frmProgress->CloseWindow(); }
int SeamAnswerWhilePreparing() { return frmProgress->AnswerWhilePreparing(); }

// The 4 GB question is the main window's (installed by it with
// SetFat32Question), so this table leaves it out.
const ProgressHandlers kWindowCalls = {SeamShowPreparing,  SeamHideProgress,  SeamStartProgress,
                                       SeamUpdateProgress, SeamCloseProgress, nullptr,
                                       SeamAnswerWhilePreparing};

}  // namespace

const ProgressClock* SetProgressClock(const ProgressClock* clock) {
  const ProgressClock* before = Clock;
  Clock = clock ? clock : &kSystemClock;
  return before;
}

long ProgressRepaintCount() { return Shown.repaints; }

TfrmProgress::TfrmProgress() : Form(kDescription) {}

TfrmProgress::~TfrmProgress() {
  // The job calls must not reach a window that is gone; a table that
  // someone else installed since stays.
  const ProgressHandlers* installed = SetProgressHandlers(nullptr);
  if (installed != &kWindowCalls) SetProgressHandlers(installed);
}

void TfrmProgress::OnEvent(FormEvent& event) {
  switch (event.control) {
    case kFormItself:
      if (event.kind == kEventCreate) FormCreate();
      if (event.kind == kEventShow) frmProgressShow();
      // Only the job closes the window: Alt+F4 would hide it while the job
      // runs on without its Stop button.
      if (event.kind == kEventCloseQuery) event.allow = false;
      break;
    case btnCancel:
      if (event.kind == kEventClick) btnCancelClick();
      break;
  }
}

void TfrmProgress::FormCreate() {
  ProgressBar(ControlAt(pbProgress)).SetRange(0, kBarMax);
  SetProgressHandlers(&kWindowCalls);
}

void TfrmProgress::frmProgressShow() {
  bool running = ProgressMode == kProgressModeRunning;
  const int progressRows[] = {lbFileName, lbFileNameTxt, bvFileName, lbDone, lbUsed, lbNeed,
                              lbDoneTxt,  lbUsedTxt,     lbNeedTxt,  btnCancel, pbProgress};
  for (int id : progressRows) ControlAt(id).SetVisible(running);
  ControlAt(lbWait).SetVisible(!running);
  RestoreDesignLayout(*this);
  if (running) ShowProgressMode();
  else ShowPreparingLine();
  SetPosition((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2);
}

void TfrmProgress::ShowProgressMode() {
  SetDesignClientSize(*this, kProgressClientWidth, kProgressClientHeight);
  ApplyCaptions();
  ApplyLanguageFont();
  ApplyLanguageLayout(*this, kProgressLayouts, sizeof kProgressLayouts / sizeof kProgressLayouts[0],
                      TheLanguage.currentLangId);
  ControlAt(lbFileNameTxt).SetText(ISOFilePath);
  strcpy(Shown.doneText, "0%");
  strcpy(Shown.usedText, "00:00:00");
  strcpy(Shown.needText, "00:00:00");
  Shown.barPosition = 0;
  Shown.lastUpdate = Clock->milliseconds() - kProgressUpdateIntervalMs;  // the first update works at once
  ControlAt(lbDoneTxt).SetText(Shown.doneText);
  ControlAt(lbUsedTxt).SetText(Shown.usedText);
  ControlAt(lbNeedTxt).SetText(Shown.needText);
  ProgressBar(ControlAt(pbProgress)).SetPosition(0);
  ProgressCancelled = 0;
}

void TfrmProgress::ShowPreparingLine() {
  SetDesignClientSize(*this, kPreparingClientWidth, kPreparingClientHeight);
  SetCaption("");
  ApplyLanguageFont();
  ControlAt(lbWait).SetText(GetString(IsoOptions.Optimize ? kStrOptimizingWait : kStrPreparingWait));
  ControlAt(lbWait).SetTop(TheApplication.Scale(kWaitLineTop));
  ApplyLanguageLayout(*this, kPreparingLayouts, sizeof kPreparingLayouts / sizeof kPreparingLayouts[0],
                      TheLanguage.currentLangId);
}

// A mode is entered by showing the hidden window, so that the show event
// lays it out and (in progress mode) clears the display and the cancel flag.
// The window takes clicks even while a modal dialog (which disables the
// other forms) runs the job.
void TfrmProgress::ShowPreparingMode() {
  Shown.lastUpdate = Clock->milliseconds() - kProgressUpdateIntervalMs;  // the first call answers at once
  ShowInMode(kProgressModePreparing);
}

void TfrmProgress::StartProgressMode() {
  ProgressStartTime = Clock->seconds();
  ShowInMode(kProgressModeRunning);
}

void TfrmProgress::ShowInMode(int mode) {
  ProgressMode = mode;
  if (Visible()) Hide();
  EnableWindow(Handle(), TRUE);
  Show();
  Update();
  BringToFront();
}

void TfrmProgress::HideWindow() {
  Hide();
  Update();
}

void TfrmProgress::CloseWindow() {
  Hide();
  Update();
  SetCursorShape(kShapeArrow);
  if (QuitTaken) {
    QuitTaken = false;
    PostQuitMessage(QuitExitCode);
  }
}

int TfrmProgress::UpdateFraction(double fraction) {
  if (ProgressCancelled) return 1;
  uint32_t now = Clock->milliseconds();
  if (now - Shown.lastUpdate < (uint32_t)kProgressUpdateIntervalMs) return 0;
  Shown.lastUpdate = now;
  if (fraction > 0.0001) ShowFraction(fraction);
  PumpOneMessage();
  return 0;
}

// While the engine prepares, the program's pending messages (paint and
// input among them) are handed on at most every kProgressUpdateIntervalMs,
// a few at a time so that a flood of them cannot hold the job up. The
// windows stay as the build left them: the main window and the Make-ISO
// dialog disabled, this one refusing to close. A quit stops the job.
int TfrmProgress::AnswerWhilePreparing() {
  if (QuitTaken) return 1;
  uint32_t now = Clock->milliseconds();
  if (now - Shown.lastUpdate < (uint32_t)kProgressUpdateIntervalMs) return 0;
  Shown.lastUpdate = now;
  int handed = 0;
  while (handed < kMessagesPerPreparingTurn && PumpOneMessage()) ++handed;
  return QuitTaken ? 1 : 0;
}

void TfrmProgress::ShowFraction(double fraction) {
  char text[16];
  snprintf(text, sizeof text, "%6.2f%%", fraction * 100);
  SetField(lbDoneTxt, Shown.doneText, text);

  time_t now = Clock->seconds();
  long long elapsed = (long long)(now - ProgressStartTime);
  time_t end = (time_t)((double)ProgressStartTime + (double)(now - ProgressStartTime) / fraction);
  FormatDuration(text, sizeof text, elapsed);
  SetField(lbUsedTxt, Shown.usedText, text);
  FormatDuration(text, sizeof text, (long long)(end - now));
  SetField(lbNeedTxt, Shown.needText, text);

  int position = (int)(fraction * kBarMax);
  if (position > kBarMax) position = kBarMax;
  if (position != Shown.barPosition) {
    Shown.barPosition = position;
    Control bar = ControlAt(pbProgress);
    ProgressBar(bar).SetPosition(position);
    UpdateWindow(bar);
    Shown.repaints++;
  }
}

// Sets a field and paints it at once, only when its text changes.
void TfrmProgress::SetField(int id, char* shown, const char* text) {
  if (strcmp(shown, text) == 0) return;
  snprintf(shown, sizeof Shown.doneText, "%s", text);
  Control field = ControlAt(id);
  field.SetText(shown);
  UpdateWindow(field);
  Shown.repaints++;
}

// Hands one pending message of this thread to its window: the Stop button's
// click arrives this way. A quit message is kept for after the job. False
// when there was none.
bool TfrmProgress::PumpOneMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    QuitTaken = true;
    QuitExitCode = (int)message.wParam;
    ProgressCancelled = 1;
    return false;
  }
  CursorShape cursor = message.hwnd == ControlAt(btnCancel).Handle() ? kShapeArrow : kShapeHourglass;
  if (CurrentCursorShape() != cursor) SetCursorShape(cursor);
  TheApplication.Dispatch(message);
  return true;
}

void TfrmProgress::btnCancelClick() { ProgressCancelled = 1; }
