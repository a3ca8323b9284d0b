// One ISO build through the Make-ISO dialog, the image engine and the
// progress window, as a user starts it: the dialog is shown with the disc
// folder, boot image and output file given, and its Make button is clicked.
//   make_iso_bench FOLDER BOOT_IMAGE OUTPUT [--no-progress] [--probe]
// --no-progress takes the progress window out (the engine's progress calls
// then do nothing), to tell its cost from the engine's under Wine. --probe
// sends a message to the main window from a second thread every 10 ms
// while the build runs and reports the longest wait for its answer, while
// the engine prepares and in all, and when the copy began (the build's time
// then counts for nothing). Prints the build's wall time (from the click until the handler
// returned), the progress window's repaints and, with --probe, the waits;
// ends with 0 when the image was written.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_progress.h"
#include "win/application.h"

namespace {

const FormDescription kMainForm = {"frmMain", "TfrmBenchMain", "Main", 20, 20, 300, 200,
                                   kBorderSingle, 0, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET};

class BenchMainForm : public Form {
 public:
  BenchMainForm() : Form(kMainForm) {}
};

// The overwrite question is answered Yes; any other box is printed.
int AnswerBox(const MessageBoxRequest& request) {
  if (request.style & kMbYesNo) return kIdYes;
  fprintf(stderr, "message: %s\n", request.text);
  return kIdOk;
}

double Milliseconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

// The probe: what it sends to and what it measured.
struct Probe {
  HWND target;
  HWND progress;            // the progress window: its mode tells the copy
  volatile LONG running;
  long answered;
  double longestPreparing;  // ms, sent while the engine prepared
  double longest;           // ms, sent at any time of the build
  double copyStarted;       // ms after the probe's start when it first saw the copy, or 0
};

DWORD WINAPI ProbeThread(void* data) {
  Probe* probe = (Probe*)data;
  double started = Milliseconds();
  while (probe->running) {
    // Sent before the copy began (the probe runs only during the click; a
    // wait that began then counts for the preparing, however long it lasts).
    bool copying = IsWindowVisible(probe->progress) && ProgressMode == kProgressModeRunning;
    bool preparing = !copying;
    if (copying && probe->copyStarted == 0) probe->copyStarted = Milliseconds() - started;
    double start = Milliseconds();
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(probe->target, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result)) probe->answered++;
    double wait = Milliseconds() - start;
    if (wait > probe->longest) probe->longest = wait;
    if (preparing && wait > probe->longestPreparing) probe->longestPreparing = wait;
    Sleep(10);
  }
  return 0;
}

// Ends the probe; a message it is sending meanwhile is answered here.
void StopProbe(Probe& probe, HANDLE thread) {
  InterlockedExchange(&probe.running, 0);
  while (WaitForSingleObject(thread, 5) == WAIT_TIMEOUT) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
  CloseHandle(thread);
}

}  // namespace

int main(int argc, char** argv) {
  bool withProgress = true, probing = false, usage = argc < 4;
  for (int i = 4; i < argc; ++i) {
    if (strcmp(argv[i], "--no-progress") == 0) withProgress = false;
    else if (strcmp(argv[i], "--probe") == 0) probing = true;
    else usage = true;
  }
  if (usage) {
    fprintf(stderr, "usage: make_iso_bench FOLDER BOOT_IMAGE OUTPUT [--no-progress] [--probe]\n");
    return 2;
  }
  if (!TheApplication.Initialize(GetModuleHandleA(nullptr))) return 1;
  SetMessageBoxHandler(AnswerBox);
  BenchMainForm* main = nullptr;
  TheApplication.CreateForm(main);
  TheApplication.CreateForm(frmMakeISO);
  TheApplication.CreateForm(frmProgress);
  if (!withProgress) SetProgressHandlers(nullptr);
  main->Show();
  frmMakeISO->Show();
  frmMakeISO->ControlAt(TfrmMakeISO::txtCDFileDir).SetText(argv[1]);
  frmMakeISO->ControlAt(TfrmMakeISO::txtBootImage).SetText(argv[2]);
  frmMakeISO->ControlAt(TfrmMakeISO::txtISOFile).SetText(argv[3]);
  CheckBox(frmMakeISO->ControlAt(TfrmMakeISO::chkJoliet)).SetChecked(true);
  CheckBox(frmMakeISO->ControlAt(TfrmMakeISO::chkOptimize)).SetChecked(false);
  CheckBox(frmMakeISO->ControlAt(TfrmMakeISO::chkDOS)).SetChecked(false);

  Probe probe = {main->Handle(), frmProgress->Handle(), 1, 0, 0.0, 0.0, 0.0};
  HANDLE probeThread = probing ? CreateThread(nullptr, 0, ProbeThread, &probe, 0, nullptr) : nullptr;
  long repaintsBefore = ProgressRepaintCount();
  double start = Milliseconds();
  SendMessageA(frmMakeISO->ControlAt(TfrmMakeISO::btnMake), BM_CLICK, 0, 0);
  double seconds = (Milliseconds() - start) / 1000.0;
  if (probeThread) StopProbe(probe, probeThread);
  bool written = iso_last_build_result() == 1 && FileExists(argv[3]);
  printf("build %.3f s, %ld progress repaints, image %s\n", seconds, ProgressRepaintCount() - repaintsBefore,
         written ? "written" : "NOT WRITTEN");
  if (probeThread) {
    printf("probe %ld answered, longest wait %.0f ms while preparing, %.0f ms in all; the copy began after %.3f s\n",
           probe.answered, probe.longestPreparing, probe.longest, probe.copyStarted / 1000.0);
  }
  TheApplication.DestroyForms();
  return written ? 0 : 1;
}
