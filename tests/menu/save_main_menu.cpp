// save_main_menu HOME MENUDIR: saves a small main menu named "mymenu.zqk"
// into MENUDIR with the template of HOME, as the designer would, so that a
// script can boot the loader.bin the writer patched.
#include <cstdio>
#include <cstring>

#include "app/process_settings.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/menu_file_writer.h"
#include "platform/files.h"

namespace {

class PasswordView : public DocumentView {
 public:
  std::string GetFieldText(ViewField field) override {
    if (field == ViewField::txtPassword) return "secret99";
    if (field == ViewField::txtLogoTime) return "3";
    return std::string();
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: save_main_menu HOME MENUDIR\n");
    return 2;
  }
  PasswordView view;
  SetDocumentView(&view);
  CopyText(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, argv[1]);
  MenuDocument& doc = TheDocument;
  for (int i = 0; i < kColorCount; ++i) doc.CurrentColorTable[i] = kInitialColorTable[i];
  ResetMenuDocument();
  ApplyResolution();
  doc.LogoOn = 0;
  doc.BackImageOn = 0;
  doc.KeepKernel = 1;
  doc.Resolution = kResolution800x600;
  doc.ColorMode = kColors16M;
  CopyText(doc.MenuFileDir, kPathSize, argv[2]);
  CopyText(doc.ImageFileDir, kPathSize, "boot");
  CopyText(doc.MenuFileName, kPathSize, "mymenu.zqk");
  doc.ItemCount[kMenuList] = 1;
  doc.menuKeys[1].accKey = 'w';
  CopyText(doc.menuStrings[1].text, kItemTextSize, "Windows");
  SaveMenuFile();
  char boot[1100];
  JoinPath(boot, sizeof boot, argv[2], "loader.bin");
  if (GetFileSize64(boot) != 2048 || doc.DocumentModified != 0) {
    fprintf(stderr, "save_main_menu: the save did not write loader.bin\n");
    return 1;
  }
  return 0;
}
