// Writes a picture of each of the main window's six pages and four menus:
// started inside a Wine virtual desktop with the path of Tarnwick.exe and an
// output folder, it starts the program, adds one item to each list, and
// saves the screen as "main_<n>_<page>.bmp" for every page and as
// "main_menu_<button>.bmp" with each of the File page's four menus open.
// The program is ended without saving. With a name, a language id and a
// program folder after them, it stores that language in the settings key
// first, starts the program in that folder (whose "lang" folder holds the
// pack) and names the pictures "main_<name>_<n>_<page>.bmp" and
// "main_<name>_menu_<button>.bmp".
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/acceptance/driver.h"
#include "ui/frm_tb.h"

using namespace acceptance;

namespace {

HWND Named(HWND main, int name) { return FindControl(main, kFirstRowId + name); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 6) {
    fprintf(stderr, "usage: main_window_shots TARNWICK_EXE OUTPUT_FOLDER [NAME LANGUAGE_ID FOLDER]\n");
    return 2;
  }
  const std::string folder = argv[2];
  std::string prefix = "main_";
  if (argc == 6) {
    prefix += std::string(argv[3]) + "_";
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Tarnwick Systems\\Tarnwick\\3.0", &key) != ERROR_SUCCESS) return 1;
    RegSetValueExA(key, "Language", 0, REG_SZ, (const BYTE*)argv[4], (DWORD)strlen(argv[4]) + 1);
    RegCloseKey(key);
  }
  Program program;
  if (!program.Start(argv[1], "", argc == 6 ? argv[5] : nullptr)) return 1;
  HWND main = program.WaitForWindow("TfrmTb", "Tarnwick");
  if (!main) return 1;
  HWND pages = Named(main, TfrmTb::tabstrp);
  const int appendButtons[] = {TfrmTb::btnAppendL, TfrmTb::btnAppendT, TfrmTb::btnAppendM, TfrmTb::btnAppendF};
  for (int list = 0; list < 4; ++list) {
    if (!SelectPage(pages, list + 1)) return 1;
    Click(Named(main, appendButtons[list]));
  }
  // The longest colour name, once on each page with colour pairs.
  const int kLightMagenta = 13;
  if (!SelectPage(pages, 3)) return 1;
  SelectComboItem(Named(main, TfrmTb::cbNBGColorM), kLightMagenta);
  if (!SelectPage(pages, 4)) return 1;
  SelectComboItem(Named(main, TfrmTb::cbBGColorP), kLightMagenta);
  const char* const names[] = {"file", "layout", "text", "menu", "misc", "about"};
  char path[1024];
  for (int page = 0; page < 6; ++page) {
    if (!SelectPage(pages, page)) return 1;
    Sleep(300);
    snprintf(path, sizeof path, "%s\\%s%d_%s.bmp", folder.c_str(), prefix.c_str(), page, names[page]);
    if (!CaptureScreen(path)) return 1;
  }
  // The File page's four menus, each opened by a click on its button.
  const int menuButtons[] = {TfrmTb::btnBurn, TfrmTb::btnTools, TfrmTb::btnOptions, TfrmTb::btnHelp};
  const char* const menuNames[] = {"burn", "tools", "options", "help"};
  if (!SelectPage(pages, 0)) return 1;
  auto menuShown = [] { return FindWindowA("#32768", nullptr) != nullptr; };
  for (int menu = 0; menu < 4; ++menu) {
    Click(Named(main, menuButtons[menu]));
    if (!WaitFor(menuShown)) return 1;
    Sleep(300);
    snprintf(path, sizeof path, "%s\\%smenu_%s.bmp", folder.c_str(), prefix.c_str(), menuNames[menu]);
    if (!CaptureScreen(path)) return 1;
    PressKey(VK_ESCAPE);
    if (!WaitFor([&] { return !menuShown(); })) return 1;
  }
  program.Kill();
  return 0;
}
