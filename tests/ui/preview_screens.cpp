// Shows the preview window with a whole boot menu, or the configuration
// dialog, for the screenshots (tests/screens/preview.sh):
//   preview_screens preview WIDTH MODE FOLDER [LANGID HOMEDIR]
//     (MODE: 0 256, 1 64K, 2 16M, 3 16 colours; a LANGID other than 1033
//     binds HOMEDIR\lang's pack before the preview's font is made)
//   preview_screens config FOLDER [LANGID HOMEDIR]
// The background picture is written to FOLDER. When the window is painted
// the program creates FOLDER\ready and ends once that file is gone again.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "tests/menu/bitmap_test_pictures.h"
#include "tests/ui/window_fixtures.h"
#include "ui/designer_links.h"
#include "ui/frm_config.h"
#include "ui/frm_preview.h"
#include "win/application.h"

namespace {

// The menu page is active, with its first entry current.
class MenuPageView : public DocumentView {
 public:
  int CurrentList() override { return kMenuList; }
};

// A smooth picture in the depth of the colour mode.
TestPicture MakeBackground(int width, int height, int mode) {
  TestPicture picture;
  picture.width = width;
  picture.height = height;
  picture.bits = mode == kColors16 ? 4 : mode == kColors256 ? 8 : mode == kColors64K ? 16 : 24;
  const int colors = picture.bits == 4 ? 16 : picture.bits == 8 ? 256 : 0;
  for (int k = 0; k < colors; ++k) {
    const uint8_t level = (uint8_t)(k * 255 / (colors - 1));
    picture.palette.push_back({(uint8_t)(level / 4), (uint8_t)(level / 3), level});
  }
  picture.pixels.resize((size_t)width * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int level = (x + y) * 255 / (width + height);  // 0..254
      uint32_t value;
      if (colors > 0) {
        value = (uint32_t)(level * (colors - 1) / 255);
      } else if (picture.bits == 16) {
        value = (uint32_t)(((level / 32) << 10) | ((level / 24) << 5) | (level / 8));
      } else {
        value = (uint32_t)(((level / 4) << 16) | ((level / 3) << 8) | level);
      }
      picture.at(x, y) = value;
    }
  }
  return picture;
}

void BuildBootMenu(int width, int height) {
  MenuDocument& doc = TheDocument;
  const uint16_t w = (uint16_t)width, h = (uint16_t)height, mid = (uint16_t)(width / 2);
  doc.layoutItems[1] = LayoutItem{20, 20, (uint16_t)(w - 21), 63, MakeColorPair(15, 8), 1, 2};
  doc.layoutItems[2] = LayoutItem{(uint16_t)(mid - 200), 90, (uint16_t)(mid + 199), 330, MakeColorPair(15, 8), 7, 3};
  doc.layoutItems[3] = LayoutItem{20, (uint16_t)(h - 120), (uint16_t)(w - 21), (uint16_t)(h - 50),
                                  MakeColorPair(8, 15), 3, 1};
  doc.ItemCount[kLayoutList] = 3;
  const char* const lines[] = {"Tarnwick Boot Menu", "Choose an entry with the arrow keys and press Enter.",
                               "F1 Help   F2 Options   Esc Cancel"};
  const uint16_t rows[] = {34, (uint16_t)(h - 106), (uint16_t)(h - 82)};
  for (int i = 1; i <= 3; ++i) {
    TextItem& line = doc.textItems[i];
    strcpy(line.text, lines[i - 1]);
    line.geometry = TextItemGeometry{30, rows[i - 1], (uint16_t)(w - 31), (uint16_t)(rows[i - 1] + 15),
                                     (uint8_t)(i == 1 ? kAlignMiddle : kAlignLeft), (uint8_t)(i == 1 ? 14 : 0)};
  }
  doc.ItemCount[kTextList] = 3;
  for (int i = 1; i <= 8; ++i) {
    const uint16_t top = (uint16_t)(90 + 28 * i - 10);
    doc.menuGeometry[i] = MenuItemGeometry{MakeColorPair(7, 0), (uint16_t)(mid - 180), top, (uint16_t)(mid + 179),
                                           (uint16_t)(top + 19), MakeColorPair(i == 1 ? 1 : 7, i == 1 ? 15 : 0)};
    snprintf(doc.menuStrings[i].text, kItemTextSize, "%d. Boot entry number %d", i, i);
  }
  doc.ItemCount[kMenuList] = 8;
  for (int list = 0; list < kFunctionKeyList; ++list) doc.CurrentItem[list] = 1;
  doc.WaitTimeOn = 1;
  doc.WaitTime = 10;
  doc.ShowCounter = 1;
  doc.CounterColors = MakeColorPair(1, 15);
  doc.CounterX = (uint16_t)(w - 60);
  doc.CounterY = (uint16_t)(h - 40);
  doc.ShowProgress = 1;
  doc.ProgressColors = MakeColorPair(8, 10);
  doc.ProgressEdgeColor = 15;
  doc.ProgressRect = PixelRect{20, (uint16_t)(h - 36), (uint16_t)(w - 80), (uint16_t)(h - 24)};
}

}  // namespace

int main(int argc, char** argv) {
  const bool config = (argc == 3 || argc == 5) && strcmp(argv[1], "config") == 0;
  if (!config && !((argc == 5 || argc == 7) && strcmp(argv[1], "preview") == 0)) {
    fprintf(stderr, "usage: preview_screens preview WIDTH MODE FOLDER [LANGID HOMEDIR] | config FOLDER [LANGID HOMEDIR]\n");
    return 2;
  }
  if (!TheApplication.Initialize(GetModuleHandleA(nullptr))) return 1;
  const std::string folder = config ? argv[2] : argv[4];
  const int languageArg = config ? 3 : 5;
  if (argc > languageArg + 1 && atoi(argv[languageArg]) != 1033) {
    snprintf(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, "%s", argv[languageArg + 1]);
    if (!LoadLanguagePack(atoi(argv[languageArg]))) {
      fprintf(stderr, "no language pack for %s\n", argv[languageArg]);
      return 1;
    }
  }
  MenuPageView view;
  SetDocumentView(&view);
  MenuDocument& doc = TheDocument;
  ResetMenuDocument();
  memcpy(doc.CurrentColorTable, kInitialColorTable, sizeof doc.CurrentColorTable);
  StandInMainForm* main = nullptr;
  TheApplication.CreateForm(main);
  TheApplication.CreateForm(frmPreview);
  TheApplication.CreateForm(frmConfig);
  if (config) {
    doc.ColorMode = kColors256;
    doc.Resolution = kResolution800x600;
    doc.KeepKernel = 1;
    ApplyResolution();
    frmConfig->SetPosition(40, 40);
    frmConfig->Show();
    // A coloured entry selected, so that its panel's border shows.
    SendMessageA(frmConfig->ControlAt(TfrmConfig::pColor6), WM_LBUTTONUP, 0, 0);
  } else {
    const int width = atoi(argv[2]);
    const int mode = atoi(argv[3]);
    doc.ColorMode = (uint8_t)mode;
    doc.Resolution = width >= 1024 ? kResolution1024x768 : width >= 800 ? kResolution800x600 : kResolution640x480;
    ApplyResolution();
    BuildBootMenu(doc.MenuScreenSize.width, doc.MenuScreenSize.height);
    if (!WritePicture(folder + "\\back.bmp", MakeBackground(doc.MenuScreenSize.width, doc.MenuScreenSize.height, mode))) {
      return 1;
    }
    CopyText(doc.MenuFileDir, kPathSize, folder.c_str());
    CopyText(doc.BackImageName, kShortFileNameSize, "back.bmp");
    doc.BackImageOn = 1;
    ThePreviewLink().LoadBackImage();
    ThePreviewLink().ShowPreview();
    frmPreview->SetPosition(8, 8);
    ThePreviewLink().RepaintPreview();
  }
  WaitForTheShot(folder + "\\ready");
  TheApplication.DestroyForms();
  return 0;
}
