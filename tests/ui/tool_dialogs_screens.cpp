// Shows one of the Tools menu's dialogs beside the main window, for the
// screenshots of tests/screens/tool_dialogs.sh:
//   tool_dialogs_screens.exe floppy|newimage|replace LANGID DPI HOMEDIR WORKDIR
// LANGID 1033 is English; another binds HOMEDIR\lang's pack. The program
// writes WORKDIR\ready once the dialog is up and ends when that file is gone.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "menu/document.h"
#include "platform/disk_queries.h"
#include "platform/files.h"
#include "ui/frm_floppy.h"
#include "ui/frm_new_image.h"
#include "ui/frm_replace.h"
#include "ui/program_forms.h"
#include "win/application.h"

namespace {

unsigned DriveStrings(char* buffer, unsigned) {
  memcpy(buffer, "A:\\\0B:\\\0", 9);
  return 8;
}
unsigned DriveType(const char*) { return kDriveRemovable; }
const DiskQueries kTwoFloppyDrives = {DriveStrings, DriveType, nullptr, nullptr};

std::string g_ready;
Form* g_dialog = nullptr;

// First tick: the dialog is up and painted, so say so. Later ticks: end
// the dialog once the picture is taken (the marker removed).
void CALLBACK CheckReady(HWND, UINT, UINT_PTR, DWORD) {
  static bool written = false;
  if (!written) {
    FILE* marker = fopen(g_ready.c_str(), "wb");
    if (marker) fclose(marker);
    written = true;
  } else if (!FileExists(g_ready.c_str())) {
    g_dialog->SetModalResult(kModalCancel);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    fprintf(stderr, "usage: tool_dialogs_screens floppy|newimage|replace LANGID DPI HOMEDIR WORKDIR\n");
    return 2;
  }
  std::string which = argv[1];
  snprintf(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, "%s", argv[4]);
  g_ready = std::string(argv[5]) + "\\ready";
  if (!TheApplication.Initialize(GetModuleHandleA(nullptr))) return 1;
  TheApplication.SetScreenPixelsPerInch(atoi(argv[3]));
  if (atoi(argv[2]) != 1033 && !LoadLanguagePack(atoi(argv[2]))) {
    fprintf(stderr, "no language pack for %s\n", argv[2]);
    return 1;
  }
  TheApplication.SetTitle("Tarnwick");
  SetDiskQueries(&kTwoFloppyDrives);
  snprintf(TheDocument.MenuFileDir, sizeof TheDocument.MenuFileDir, "%s", "C:\\Tarnwick\\disk1\\KORVEL");
  CreateProgramForms(TheApplication);
  Form* main = TheApplication.MainForm();
  main->SetPosition(40, 40);
  main->Show();

  void (*run)() = nullptr;
  if (which == "floppy") {
    g_dialog = frmFloppy;
    run = RunFloppyReader;
  } else if (which == "newimage") {
    g_dialog = frmNewImage;
    frmNewImage->ControlAt(TfrmNewImage::txtSeedImage).SetText("C:\\Tarnwick\\resource\\dos622.img");
    run = RunNewImageMaker;
  } else if (which == "replace") {
    g_dialog = frmReplace;
    frmReplace->ControlAt(TfrmReplace::txtFileName).SetText("C:\\Tarnwick\\disk1\\KORVEL\\loader.bin");
    frmReplace->ControlAt(TfrmReplace::txtFind).SetText("Press F1 for help");
    frmReplace->ControlAt(TfrmReplace::txtReplace).SetText("F1: help");
    run = RunReplaceText;
  } else {
    fprintf(stderr, "unknown dialog %s\n", argv[1]);
    return 2;
  }
  DeleteFileA(g_ready.c_str());
  SetTimer(nullptr, 0, 500, CheckReady);
  run();
  TheApplication.DestroyForms();
  return 0;
}
