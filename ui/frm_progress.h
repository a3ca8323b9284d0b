#pragma once
// TfrmProgress, the progress window of long jobs (the ISO build, the floppy
// read), above every other window. Once created it answers the progress
// calls of image/progress_seam.h: ShowPreparing shows one "please wait"
// line; StartProgress shows the output file, the percentage done, the
// elapsed and remaining time, a bar and the Stop button; UpdateProgress
// refreshes the fields whose text changed and hands one pending window
// message to its window (at most every kProgressUpdateIntervalMs), so the
// program stays painted and Stop can set ProgressCancelled while the job
// runs inside a click handler; AnswerWhilePreparing does the same for the
// messages while the engine prepares; HideProgress and CloseProgress hide it.
// The user cannot close it; only the job does. A quit message that the
// pump takes out of the queue stops the job (ProgressCancelled) and is
// posted again by CloseProgress, so that the program still ends.
#include <cstdint>
#include "platform/time_seconds.h"

#include "win/form.h"

#define FRM_PROGRESS_NAMES(X)                                                                     \
  X(lbFileName) X(lbUsed) X(pbProgress) X(lbDone) X(btnCancel) X(lbNeed) X(lbDoneTxt) X(lbNeedTxt) \
  X(lbUsedTxt) X(lbFileNameTxt) X(bvFileName) X(lbWait)

// The two faces of the window, kept in ProgressMode.
enum { kProgressModePreparing = 0, kProgressModeRunning = 1 };

class TfrmProgress : public Form {
 public:
  enum Name { FRM_PROGRESS_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmProgress();
  ~TfrmProgress() override;

  // The progress calls (see above), as the seam hands them on.
  void ShowPreparingMode();
  void StartProgressMode();
  void HideWindow();
  int UpdateFraction(double fraction);
  void CloseWindow();
  int AnswerWhilePreparing();

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormCreate();
  void frmProgressShow();
  void ShowInMode(int mode);
  void ShowProgressMode();
  void ShowPreparingLine();
  void ShowFraction(double fraction);
  void SetField(int id, char* shown, const char* text);
  bool PumpOneMessage();
  void btnCancelClick();
};

extern TfrmProgress* frmProgress;

// The window's process-wide state.
extern int ProgressMode;             // kProgressModePreparing or kProgressModeRunning
extern time_t ProgressStartTime;     // when StartProgress was called, whole seconds

// The clocks of the window: the calendar time in whole seconds that the
// elapsed and remaining times are measured with, and a millisecond count
// that spaces the updates. Tests install their own (null: the system's).
struct ProgressClock {
  time_t (*seconds)();
  uint32_t (*milliseconds)();
};
const ProgressClock* SetProgressClock(const ProgressClock* clock);

// A build reports progress after every 32 KB it writes, thousands of times
// a second; the fields and the message pump are updated at most this often,
// so that progress costs the build next to nothing.
enum { kProgressUpdateIntervalMs = 50 };

// How many times a field or the bar was repainted since start-up: the cost
// of progress, which the build benchmark reports.
long ProgressRepaintCount();

