// Shows the Make-ISO dialog or the progress window in one of its modes, for
// the screenshots (tests/screens/make_iso.sh):
//   make_iso_screens dialog|preparing|progress LANGUAGE HOME FOLDER
// LANGUAGE is a language id whose pack is loaded from HOME\lang (1033:
// English). When the window is painted the program creates FOLDER\ready and
// ends once that file is gone again.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "menu/document.h"
#include "tests/ui/window_fixtures.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_progress.h"
#include "ui/main_settings.h"
#include "win/application.h"

namespace {

time_t g_now = 1000000;
time_t FakeSeconds() { return g_now; }
uint32_t FakeMilliseconds() { return (uint32_t)g_now * 1000; }
const ProgressClock kFakeClock = {FakeSeconds, FakeMilliseconds};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: make_iso_screens dialog|preparing|progress LANGUAGE HOME FOLDER\n");
    return 2;
  }
  const std::string what = argv[1];
  if (!TheApplication.Initialize(GetModuleHandleA(nullptr))) return 1;
  snprintf(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, "%s", argv[3]);
  LoadLanguagePack(atoi(argv[2]));
  StandInMainForm* main = nullptr;
  TheApplication.CreateForm(main);
  TheApplication.CreateForm(frmMakeISO);
  TheApplication.CreateForm(frmProgress);
  main->SetPosition(20, 20);
  main->Show();
  strcpy(TheDocument.CDFileDir, "C:\\Tarnwick\\disk1");
  strcpy(TheDocument.MenuFileDir, "C:\\Tarnwick\\disk1\\KORVEL");
  strcpy(TheMainSettings.ISOFileDir, "C:\\Tarnwick\\iso");
  strcpy(ISOFilePath, "C:\\Tarnwick\\iso\\mydisk.iso");
  if (what == "dialog") {
    TheMainSettings.IsoSettings.SetDateTime = 1;
    TheMainSettings.IsoSettings.VOL_Joliet = 1;
    frmMakeISO->Show();
  } else if (what == "preparing") {
    ShowPreparing();
  } else {
    SetProgressClock(&kFakeClock);
    StartProgress();
    g_now += 95;
    UpdateProgress(0.4235);
  }
  WaitForTheShot(std::string(argv[4]) + "\\ready");
  TheApplication.DestroyForms();
  return 0;
}
