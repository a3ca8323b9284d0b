// The configuration dialog with window messages: filled from the document
// on every showing, the working copy changed by panels, name, colour
// dialog, screen picker, radio buttons and check boxes, and OK and Cancel.
#include <gtest/gtest.h>

#include <cstring>

#include "menu/document.h"
#include "platform/color_pick.h"
#include "tests/ui/window_fixtures.h"
#include "tests/win/form_driver.h"
#include "ui/designer_links.h"
#include "ui/frm_config.h"
#include "win/application.h"

namespace {

using namespace form_driver;
typedef TfrmConfig F;

StandInMainForm* g_main = nullptr;

class RecordingPreview : public PreviewLink {
 public:
  RecordingPreview() { before_ = SetPreviewLink(this); }
  ~RecordingPreview() override { SetPreviewLink(before_); }
  void RelayoutPreview() override { ++relayouts; }
  int relayouts = 0;

 private:
  PreviewLink* before_;
};

// The colour dialog and the screen pixel, answered by the test.
ColorDialogRequest g_asked;
int g_dialogs = 0;
uint32_t g_chosen = 0;
bool AnswerColorDialog(ColorDialogRequest& request) {
  g_asked = request;
  ++g_dialogs;
  request.color = g_chosen;
  return g_chosen != 0;
}
ScreenPoint g_pixelAt = {-1, -1};
bool g_pixelReadable = true;
bool ReadPixel(ScreenPoint point, uint32_t* color) {
  g_pixelAt = point;
  *color = 0x00ABCDEF;
  return g_pixelReadable;
}

class ConfigDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuDocument();
    MenuDocument& doc = TheDocument;
    memcpy(doc.CurrentColorTable, kInitialColorTable, sizeof doc.CurrentColorTable);
    doc.ColorMode = kColors256;
    doc.Resolution = kResolution1024x768;
    ApplyResolution();
    doc.MouseOff = 255;
    doc.DefaultMenuOff = 0;
    doc.KeepKernel = 1;
    doc.SmoothVideo = 0;
    TheApplication.CreateForm(g_main);
    TheApplication.CreateForm(frmConfig);
    beforeDialog_ = SetColorDialogHandler(AnswerColorDialog);
    beforeReader_ = SetScreenPixelReader(ReadPixel);
    g_dialogs = 0;
    g_pixelReadable = true;
  }
  void TearDown() override {
    SetColorDialogHandler(beforeDialog_);
    SetScreenPixelReader(beforeReader_);
    TheApplication.DestroyForms();
  }

  bool Checked(int id) { return CheckBox(frmConfig->ControlAt(id)).Checked(); }
  bool Enabled(int id) { return frmConfig->ControlAt(id).Enabled(); }
  Panel ColorPanel(int index) { return Panel(frmConfig->ControlAt(F::pColor1 + index)); }
  void ClickPanel(int index) {
    SendMessageA(ColorPanel(index), WM_LBUTTONUP, 0, 0);
    Pump();
  }
  const ColorEntry& WorkingEntry(int index) { return frmConfig->Working().WorkingColorTable[index]; }

  RecordingPreview preview;
  FakeCursor cursor;
  ColorDialogHandler beforeDialog_;
  ScreenPixelReader beforeReader_;
};

TEST_F(ConfigDialogTest, ShowingFillsEveryControlFromTheDocument) {
  frmConfig->Show();
  EXPECT_EQ("Configuration", frmConfig->Caption());
  EXPECT_EQ("Screen Mode", frmConfig->ControlAt(F::gbMode).Caption());
  EXPECT_EQ("16M Color(24bits)", frmConfig->ControlAt(F::rbtnTrue).Caption());
  EXPECT_EQ("1024x768", frmConfig->ControlAt(F::rbtn1024x768).Caption());
  EXPECT_TRUE(Checked(F::rbtn256));
  EXPECT_TRUE(Checked(F::rbtn1024x768));
  EXPECT_FALSE(Checked(F::chkMouse));
  EXPECT_TRUE(Checked(F::chkDefMenu));
  EXPECT_TRUE(Checked(F::chkKernel));
  EXPECT_FALSE(Checked(F::chkSmoothVideo));
  EXPECT_EQ(kInitialColorTable[5].color, ColorPanel(5).Color());
  EXPECT_EQ("Magenta", frmConfig->Hint(ColorPanel(5)));
  EXPECT_TRUE(ColorPanel(0).Border());
  EXPECT_FALSE(ColorPanel(1).Border());
  EXPECT_EQ("Black", frmConfig->ControlAt(F::txtColor).Text());
}

TEST_F(ConfigDialogTest, SixteenColoursTake640x480InTheDialogAndInTheDocument) {
  frmConfig->Show();
  Click(*frmConfig, F::rbtn16);
  EXPECT_TRUE(Checked(F::rbtn640x480));
  EXPECT_FALSE(Checked(F::rbtn1024x768));
  EXPECT_FALSE(Enabled(F::rbtn800x600));
  EXPECT_FALSE(Enabled(F::rbtn1024x768));
  Click(*frmConfig, F::rbtn256);
  EXPECT_TRUE(Enabled(F::rbtn1024x768));
  EXPECT_TRUE(Checked(F::rbtn640x480));
  Click(*frmConfig, F::btnCancel);
  EXPECT_EQ(kResolution1024x768, TheDocument.Resolution);
  EXPECT_EQ(0, preview.relayouts);

  // A document that holds 16 colours at 800 x 600 is stored at 640 x 480.
  frmConfig->Hide();
  TheDocument.ColorMode = kColors16;
  TheDocument.Resolution = kResolution800x600;
  ApplyResolution();
  frmConfig->Show();
  EXPECT_TRUE(Checked(F::rbtn16));
  EXPECT_TRUE(Checked(F::rbtn640x480));
  EXPECT_FALSE(Checked(F::rbtn800x600));
  Click(*frmConfig, F::btnOK);
  EXPECT_EQ(kResolution640x480, TheDocument.Resolution);
  EXPECT_EQ(640, TheDocument.MenuScreenSize.width);
  EXPECT_EQ(1, preview.relayouts);
}

TEST_F(ConfigDialogTest, PanelsNameAndColourDialogChangeOnlyTheWorkingCopy) {
  frmConfig->Show();
  ClickPanel(15);
  EXPECT_EQ(15, frmConfig->SelectedColor());
  EXPECT_EQ("White", frmConfig->ControlAt(F::txtColor).Text());
  EXPECT_FALSE(ColorPanel(0).Border());
  EXPECT_TRUE(ColorPanel(15).Border());

  Focus(*frmConfig, F::txtColor);
  Edit(frmConfig->ControlAt(F::txtColor)).Select(0, -1);
  Type("Snow");
  EXPECT_STREQ("Snow", WorkingEntry(15).name);

  g_chosen = 0x0000AA;
  Click(*frmConfig, F::btnDefine);
  EXPECT_EQ(1, g_dialogs);
  EXPECT_EQ(frmConfig->Handle(), (HWND)g_asked.owner);
  EXPECT_EQ(0xFFFFFFu, g_asked.color);  // starts at the selected colour
  EXPECT_EQ(kInitialColorTable[1].color, g_asked.customColors[1]);
  EXPECT_EQ(0x0000AAu, ColorPanel(15).Color());
  g_chosen = 0;  // a cancelled dialog changes nothing
  Click(*frmConfig, F::btnDefine);
  EXPECT_EQ(0x0000AAu, WorkingEntry(15).color);

  Click(*frmConfig, F::btnCancel);
  EXPECT_STREQ("White", TheDocument.CurrentColorTable[15].name);
  EXPECT_EQ(0xFFFFFFu, TheDocument.CurrentColorTable[15].color);
  frmConfig->Hide();
  frmConfig->Show();  // the next showing starts from the document again
  EXPECT_EQ("White", frmConfig->ControlAt(F::txtColor).Text());
  EXPECT_EQ(0xFFFFFFu, ColorPanel(15).Color());
  EXPECT_TRUE(ColorPanel(15).Border());
}

TEST_F(ConfigDialogTest, ThePickerTakesThePixelUnderAClickAndEndsOnEscOrALostCapture) {
  frmConfig->Show();
  cursor.position = ScreenPoint{5, 6};
  PostMessageA(*frmConfig, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Click(*frmConfig, F::btnPick);
  EXPECT_EQ(5, g_pixelAt.x);
  EXPECT_EQ(6, g_pixelAt.y);
  EXPECT_EQ(0x00ABCDEFu, WorkingEntry(0).color);
  EXPECT_EQ(0x00ABCDEFu, ColorPanel(0).Color());
  EXPECT_EQ(nullptr, GetCapture());

  ClickPanel(1);
  // Each ending is followed by a click that would pick a colour if the
  // picker still waited.
  PostMessageA(frmConfig->ControlAt(F::btnPick), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(*frmConfig, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Click(*frmConfig, F::btnPick);
  PostMessageA(*frmConfig, WM_CANCELMODE, 0, 0);
  PostMessageA(*frmConfig, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Click(*frmConfig, F::btnPick);
  EXPECT_EQ(kInitialColorTable[1].color, WorkingEntry(1).color);
  EXPECT_TRUE(frmConfig->Visible());  // Esc did not cancel the dialog

  g_pixelReadable = false;  // a pixel that cannot be read is not stored
  PostMessageA(*frmConfig, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Click(*frmConfig, F::btnPick);
  EXPECT_EQ(kInitialColorTable[1].color, WorkingEntry(1).color);
}

TEST_F(ConfigDialogTest, OkAppliesSwitchesAndWarnsOnceOfItemsASmallerScreenLeavesOutside) {
  MenuDocument& doc = TheDocument;
  doc.layoutItems[1] = LayoutItem{700, 100, 900, 200, 0, 0, 0};
  doc.layoutItems[2] = LayoutItem{10, 600, 100, 700, 0, 0, 0};
  doc.ItemCount[kLayoutList] = 2;
  MessageBoxAnswerer boxes;
  frmConfig->Show();
  Click(*frmConfig, F::chkMouse);
  Click(*frmConfig, F::chkSmoothVideo);
  Click(*frmConfig, F::rbtnHi);
  Click(*frmConfig, F::rbtn640x480);
  Click(*frmConfig, F::btnOK);
  EXPECT_EQ(0, doc.MouseOff);
  EXPECT_EQ(1, doc.SmoothVideo);
  EXPECT_EQ(kColors64K, doc.ColorMode);
  EXPECT_EQ(640, doc.MenuScreenSize.width);
  EXPECT_EQ(1, preview.relayouts);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ(0u, boxes.Boxes()[0].text.find("2 items lie partly or wholly outside the 640x480 screen"));
  EXPECT_EQ("Prompt", boxes.Boxes()[0].caption);
  EXPECT_EQ(700, doc.layoutItems[1].x1);  // nothing moved
  EXPECT_EQ(900, doc.layoutItems[1].x2);
}

TEST_F(ConfigDialogTest, RunConfigDialogTellsWhetherOkWasPressed) {
  PostMessageA(frmConfig->ControlAt(F::btnOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(RunConfigDialog());
  EXPECT_FALSE(frmConfig->Visible());
  PostMessageA(frmConfig->ControlAt(F::btnCancel), BM_CLICK, 0, 0);
  EXPECT_FALSE(RunConfigDialog());
}

}  // namespace
