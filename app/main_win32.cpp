// The program's entry point.
#include <windows.h>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/startup.h"
#include "ui/program_forms.h"
#include "win/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  PrepareProcessSettings(commandLine, TheProcessSettings, TheLanguage);
  // From here on every exception is shown and ends the program.
  try {
    TheApplication.Initialize(instance);
    TheProcessSettings.screenPixelsPerInch = TheApplication.ScreenPixelsPerInch();
    BindStartupLanguage();
    TheApplication.SetTitle("Tarnwick");
    CreateProgramForms(TheApplication);
    TheApplication.Run();
  } catch (...) {
    TheApplication.ShowCurrentException();
  }
  TheApplication.DestroyForms();
  return 0;
}
