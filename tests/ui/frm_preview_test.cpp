// The preview window with real window messages: its place and size, the
// status line, mouse and key messages that drive the editing (Tab, the
// arrows and Enter reach it through the dialog-key step of the message
// loop) and the painted picture.
#include <gtest/gtest.h>

#include <cstring>

#include "app/startup.h"
#include "menu/document.h"
#include "menu/undo.h"
#include "platform/registry_memory.h"
#include "tests/ui/fake_main_window.h"
#include "tests/ui/window_fixtures.h"
#include "tests/win/form_driver.h"
#include "ui/frm_preview.h"
#include "win/application.h"

namespace {

using namespace form_driver;

StandInMainForm* g_main = nullptr;

class PreviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseMemoryRegistry();
    ClearMemoryRegistry();
    ResetMenuDocument();
    memcpy(TheDocument.CurrentColorTable, kInitialColorTable, sizeof TheDocument.CurrentColorTable);
    TheDocument.Resolution = kResolution640x480;
    ApplyResolution();
    TheDocument.layoutItems[1] = LayoutItem{100, 100, 199, 149, 0x00, 4, 0};  // blue
    TheDocument.layoutItems[2] = LayoutItem{300, 100, 399, 149, 0x00, 2, 0};  // green
    TheDocument.ItemCount[kLayoutList] = 2;
    TheDocument.CurrentItem[kLayoutList] = 1;
    view.currentList = kLayoutList;
    TheApplication.CreateForm(g_main);
    TheApplication.CreateForm(frmPreview);
  }
  void TearDown() override {
    TheApplication.DestroyForms();
    SetRegistryBackend(nullptr);
  }

  ScreenPoint OnScreen(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(*frmPreview, &point);
    return ScreenPoint{point.x, point.y};
  }
  void MouseMessage(UINT message, int x, int y) {
    cursor.position = OnScreen(x, y);
    SendMessageA(*frmPreview, message, message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    Pump();
  }
  // A key for the preview as the message loop hands it over (the dialog-key
  // step asks the window which keys it wants), whatever has the focus.
  void Key(WORD key) {
    PostMessageA(*frmPreview, WM_KEYDOWN, key, 1);
    Pump();
  }
  int StatusHeight() { return frmPreview->ControlAt(TfrmPreview::sbStatus).Height(); }

  RecordingView view;
  FakeMainWindow mainWindow{view};
  FakeCursor cursor;
};

TEST_F(PreviewWindowTest, ShowingPlacesItBesideTheMainWindowOrWhereItWasStored) {
  EXPECT_EQ(frmPreview, &ThePreviewLink());
  ThePreviewLink().ShowPreview();
  EXPECT_EQ("CD/DVD Boot Menu Preview", frmPreview->Caption());
  EXPECT_EQ("(0,0)", frmPreview->StatusText());
  EXPECT_EQ(640, frmPreview->ClientWidth());
  EXPECT_EQ(480 + StatusHeight(), frmPreview->ClientHeight());
  EXPECT_EQ(g_main->Left() + g_main->Width(), frmPreview->Left());
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 26 - frmPreview->Height()) / 2, frmPreview->Top());

  frmPreview->Hide();
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "PreviewLeft", "-30");
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "PreviewTop", "5000");
  frmPreview->Show();
  // A place partly off the screen stays as read while the title bar can be
  // reached; one below the screen comes up until the title bar is on it.
  EXPECT_EQ(-30, frmPreview->Left());
  POINT client = {0, 0};
  ClientToScreen(*frmPreview, &client);
  EXPECT_GE(frmPreview->Top(), 0);
  EXPECT_LE(client.y, GetSystemMetrics(SM_CYSCREEN));
  frmPreview->Hide();
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "PreviewLeft", "-32768");
  frmPreview->Show();
  EXPECT_GT(frmPreview->Left() + frmPreview->Width(), 0);

  // A new resolution: the new size at the default place.
  TheDocument.Resolution = kResolution800x600;
  ApplyResolution();
  ThePreviewLink().RelayoutPreview();
  EXPECT_EQ(800, frmPreview->ClientWidth());
  EXPECT_EQ(600 + StatusHeight(), frmPreview->ClientHeight());
  EXPECT_NE(-30, frmPreview->Left());
}

TEST_F(PreviewWindowTest, MouseAndKeyMessagesMoveABoxAndEnterCommitsIt) {
  frmPreview->Show();
  const int undoBefore = UndoEntryCount();

  MouseMessage(WM_LBUTTONDOWN, 150, 125);  // the current box: start moving it
  EXPECT_EQ(kEditMove, frmPreview->Editing().PreviewEditState);
  EXPECT_EQ(OnScreen(150, 125).x, cursor.position.x);

  MouseMessage(WM_MOUSEMOVE, 160, 135);
  EXPECT_EQ("(110,110)-(159,209)", frmPreview->StatusText());
  Key(VK_RIGHT);
  EXPECT_EQ("(110,111)-(159,210)", frmPreview->StatusText());

  Key(VK_RETURN);
  ASSERT_EQ(1u, mainWindow.commits.size());
  EXPECT_EQ(110, mainWindow.commits[0].top);
  EXPECT_EQ(111, mainWindow.commits[0].left);
  EXPECT_EQ(159, mainWindow.commits[0].bottom);
  EXPECT_EQ(210, mainWindow.commits[0].right);
  EXPECT_EQ(111, TheDocument.layoutItems[1].x1);
  EXPECT_EQ(undoBefore + 1, UndoEntryCount());

  Key(VK_TAB);  // Tab is the preview's, not the dialog navigation's
  EXPECT_EQ(2, TheDocument.CurrentItem[kLayoutList]);

  Key(VK_INSERT);  // editing again, until the window is hidden
  EXPECT_EQ(kEditMove, frmPreview->Editing().PreviewEditState);
  ThePreviewLink().HidePreview();
  EXPECT_EQ(kEditIdle, frmPreview->Editing().PreviewEditState);
}

TEST_F(PreviewWindowTest, TheWindowShowsThePictureWithTheCurrentItemFramed) {
  frmPreview->Show();
  ThePreviewLink().RepaintPreview();
  HDC dc = GetDC(*frmPreview);
  EXPECT_EQ(TheDocument.CurrentColorTable[4].color, GetPixel(dc, 150, 125));
  EXPECT_EQ(TheDocument.CurrentColorTable[2].color, GetPixel(dc, 350, 125));
  EXPECT_NE(TheDocument.CurrentColorTable[4].color, GetPixel(dc, 100, 100));  // the frame's corner
  ReleaseDC(*frmPreview, dc);
}

}  // namespace
