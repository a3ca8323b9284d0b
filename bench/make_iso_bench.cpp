// One ISO build through the Make-ISO dialog, the image engine and the
// progress window, as a user starts it: the dialog is shown with the disc
// folder, boot image and output file given, and its Make button is clicked.
//   make_iso_bench FOLDER BOOT_IMAGE OUTPUT [--no-progress]
// --no-progress takes the progress window out (the engine's progress calls
// then do nothing), to tell its cost from the engine's under Wine. Prints the build's wall time (from the click until the handler returned),
// the progress window's repaints and the updates it answered, and ends with
// 0 when the image was written.
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

}  // namespace

int main(int argc, char** argv) {
  const bool withProgress = argc == 4;
  if (argc != 4 && !(argc == 5 && strcmp(argv[4], "--no-progress") == 0)) {
    fprintf(stderr, "usage: make_iso_bench FOLDER BOOT_IMAGE OUTPUT [--no-progress]\n");
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

  long repaintsBefore = ProgressRepaintCount();
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  SendMessageA(frmMakeISO->ControlAt(TfrmMakeISO::btnMake), BM_CLICK, 0, 0);
  QueryPerformanceCounter(&end);
  double seconds = (double)(end.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
  bool written = iso_last_build_result() == 1 && FileExists(argv[3]);
  printf("build %.3f s, %ld progress repaints, image %s\n", seconds, ProgressRepaintCount() - repaintsBefore,
         written ? "written" : "NOT WRITTEN");
  TheApplication.DestroyForms();
  return written ? 0 : 1;
}
