// Picking and editing on the preview, window-free: the hit test's order,
// the mouse and key state machine with its status texts, clamping and
// commit, and the mended faults (Space while resizing, Backspace while
// editing, editing switched off while editing).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "menu/document.h"
#include "menu/item_ops.h"
#include "menu/undo.h"
#include "tests/ui/fake_main_window.h"
#include "ui/preview_editor.h"

namespace {

// The window's side: a cursor of its own, the status text, the frames.
class RecordingHost : public PreviewEditHost {
 public:
  std::string status;
  int32_t cursorX = 0, cursorY = 0;
  DrawingRect frame = {0, 0, 0, 0};
  int frameDraws = 0, itemFocus = 0;

  void EraseFocusRect() override {}
  void DrawSelectionFrame(const DrawingRect& rect) override {
    frame = rect;
    ++frameDraws;
  }
  void ShowCurrentItemFocus() override { ++itemFocus; }
  void ShowStatus(const char* text) override { status = text; }
  void CursorClientPosition(int32_t* x, int32_t* y) override { *x = cursorX, *y = cursorY; }
  void SetCursorClientPosition(int32_t x, int32_t y) override { cursorX = x, cursorY = y; }
  void TakeFocus() override {}
};

class PreviewEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuDocument();
    TheDocument.Resolution = kResolution640x480;
    ApplyResolution();
  }

  void AddBox(int n, int x1, int y1, int x2, int y2) {
    TheDocument.layoutItems[n] = LayoutItem{(uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)y2, 0x78, 1, 0};
    TheDocument.ItemCount[kLayoutList] = (uint8_t)n;
    TheDocument.CurrentItem[kLayoutList] = 1;
  }
  void AddTextLine(int n, const char* text, int x1, int y1, int x2, int y2) {
    TextItem& line = TheDocument.textItems[n];
    strcpy(line.text, text);
    line.geometry = TextItemGeometry{(uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)y2, kAlignLeft, 15};
    TheDocument.ItemCount[kTextList] = (uint8_t)n;
    TheDocument.CurrentItem[kTextList] = 1;
  }
  void AddMenuEntry(int n, int x1, int y1, int x2, int y2) {
    TheDocument.menuGeometry[n] = MenuItemGeometry{0x1E, (uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)y2, 0x4F};
    TheDocument.ItemCount[kMenuList] = (uint8_t)n;
    TheDocument.CurrentItem[kMenuList] = 1;
  }
  // The mouse move the system reports after the cursor went to a point.
  void MoveMouse(int32_t x, int32_t y) {
    host.cursorX = x, host.cursorY = y;
    editor.TrackPreviewMouse(x, y, false);
  }
  void Click(PreviewButton button, int32_t x, int32_t y) {
    host.cursorX = x, host.cursorY = y;
    editor.MouseDown(button, x, y);
  }
  const LayoutItem& Box(int n) { return TheDocument.layoutItems[n]; }

  RecordingView view;
  FakeMainWindow mainWindow{view};
  RecordingHost host;
  PreviewEditor editor{host};
};

TEST_F(PreviewEditorTest, HitTestTakesTextInkThenMenuEntriesThenTheTopmostBox) {
  AddBox(1, 0, 0, 300, 200);
  AddBox(2, 100, 100, 400, 300);
  AddTextLine(1, "ABC   ", 100, 50, 500, 65);  // ink in columns 100..123
  AddMenuEntry(1, 150, 40, 400, 70);
  view.currentList = kNoList;

  EXPECT_FALSE(editor.HitTestPreview(110, 60));  // rows below the 16 of the font still count
  EXPECT_EQ("ShowListPage(1)", view.calls.back());
  EXPECT_EQ(1, editor.State().ItemSelected);

  EXPECT_FALSE(editor.HitTestPreview(200, 55));  // in the line's rectangle, right of its ink
  EXPECT_EQ(kMenuList, view.currentList);
  EXPECT_TRUE(editor.HitTestPreview(200, 55));   // the same entry again

  EXPECT_FALSE(editor.HitTestPreview(150, 150));
  EXPECT_EQ(kLayoutList, view.currentList);
  EXPECT_EQ(2, TheDocument.CurrentItem[kLayoutList]);  // the later box is on top

  view.currentList = kMenuList;
  EXPECT_FALSE(editor.HitTestPreview(600, 400));  // nothing there: the Layout page
  EXPECT_EQ(0, editor.State().ItemSelected);
  EXPECT_EQ(kLayoutList, view.currentList);
  EXPECT_EQ(2, TheDocument.CurrentItem[kLayoutList]);
}

TEST_F(PreviewEditorTest, ClicksSelectMoveAndCommitARectangleKeptOnTheScreen) {
  AddBox(1, 560, 100, 599, 119);
  AddBox(2, 10, 10, 50, 50);
  TheDocument.CurrentItem[kLayoutList] = 2;
  view.currentList = kLayoutList;
  const int undoBefore = UndoEntryCount();

  Click(kPreviewLeftButton, 580, 110);  // a first click only selects
  EXPECT_EQ(1, TheDocument.CurrentItem[kLayoutList]);
  EXPECT_EQ(1, mainWindow.refreshes);
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);

  Click(kPreviewLeftButton, 575, 105);  // a second one starts moving it
  EXPECT_EQ(kEditMove, editor.State().PreviewEditState);
  EXPECT_EQ(580, host.cursorX);  // the cursor on its centre
  EXPECT_EQ(110, host.cursorY);

  MoveMouse(700, 111);  // the box stops whole at the right edge
  EXPECT_EQ(600, editor.State().EditRect.left);
  EXPECT_EQ(640, editor.State().EditRect.right);
  EXPECT_EQ("(101,600)-(120,639)", host.status);

  Click(kPreviewRightButton, 639, 111);  // commit
  ASSERT_EQ(1u, mainWindow.commits.size());
  const CommittedRect& c = mainWindow.commits[0];
  EXPECT_EQ(101, c.top);
  EXPECT_EQ(600, c.left);
  EXPECT_EQ(120, c.bottom);
  EXPECT_EQ(639, c.right);
  EXPECT_FALSE(c.append);
  EXPECT_EQ(600, Box(1).x1);
  EXPECT_EQ(639, Box(1).x2);
  EXPECT_EQ(undoBefore + 1, UndoEntryCount());
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);
}

TEST_F(PreviewEditorTest, ResizingNeverTurnsTheRectangleInsideOutAndEscStoresNothing) {
  AddBox(1, 100, 100, 199, 149);
  view.currentList = kLayoutList;
  editor.PreviewKey(kKeySpace);  // move
  editor.PreviewKey(kKeySpace);  // resize: the cursor on the lower-right corner
  EXPECT_EQ(kEditResize, editor.State().PreviewEditState);
  EXPECT_EQ(199, host.cursorX);
  EXPECT_EQ(149, host.cursorY);

  MoveMouse(50, 40);  // above and left of the top-left corner
  EXPECT_EQ("(100,100)-(100,100)", host.status);

  // Space takes the corner to the cursor the same way, without a mouse move.
  host.cursorX = 20, host.cursorY = 20;
  editor.PreviewKey(kKeySpace);
  const DrawingRect& rect = editor.State().EditRect;
  EXPECT_EQ(100, rect.left);
  EXPECT_EQ(100, rect.top);
  EXPECT_EQ(101, rect.right);
  EXPECT_EQ(101, rect.bottom);
  EXPECT_EQ(kEditMove, editor.State().PreviewEditState);
  EXPECT_EQ(100, host.cursorX);

  editor.PreviewKey(kKeyEscape);
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);
  EXPECT_TRUE(mainWindow.commits.empty());
  EXPECT_EQ(100, Box(1).x1);
  EXPECT_EQ(199, Box(1).x2);
}

TEST_F(PreviewEditorTest, InsertDrawsA312By16RectangleThatEnterAppends) {
  AddTextLine(1, "Title", 0, 0, 312, 15);
  view.currentList = kTextList;
  host.cursorX = 100, host.cursorY = 50;
  editor.PreviewKey(kKeyInsert);
  EXPECT_EQ(100, host.frame.left);
  EXPECT_EQ(50, host.frame.top);
  EXPECT_EQ(412, host.frame.right);
  EXPECT_EQ(66, host.frame.bottom);
  EXPECT_EQ(256, host.cursorX);
  EXPECT_EQ(58, host.cursorY);

  editor.PreviewKey(kKeyEnter);
  ASSERT_EQ(1u, mainWindow.commits.size());
  const CommittedRect& c = mainWindow.commits[0];
  EXPECT_EQ(50, c.top);
  EXPECT_EQ(100, c.left);
  EXPECT_EQ(65, c.bottom);
  EXPECT_EQ(411, c.right);
  EXPECT_TRUE(c.append);
  EXPECT_EQ(2, TheDocument.ItemCount[kTextList]);
  EXPECT_EQ(411, TheDocument.textItems[2].geometry.x2);
}

TEST_F(PreviewEditorTest, BackspaceWhileEditingEndsTheEditBeforeTheUndoSwitchesTheList) {
  AddTextLine(1, "Title", 0, 0, 312, 15);
  AddBox(1, 100, 100, 199, 149);
  view.currentList = kTextList;
  ModifyItem(kTextList);  // an undo entry of the text list
  view.currentList = kLayoutList;
  editor.PreviewKey(kKeySpace);
  ASSERT_EQ(kEditMove, editor.State().PreviewEditState);

  editor.PreviewKey(kKeyBackspace);
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);
  EXPECT_EQ(kTextList, view.currentList);  // the undo brought the Text page
  editor.PreviewKey(kKeyEnter);
  EXPECT_TRUE(mainWindow.commits.empty());
}

TEST_F(PreviewEditorTest, StatusArrowsTabAndTheKeysThatNeedEditing) {
  AddBox(1, 100, 100, 199, 149);
  AddBox(2, 300, 100, 399, 149);
  view.currentList = kLayoutList;
  MoveMouse(20, 10);
  EXPECT_EQ("(10,20)", host.status);  // row first
  editor.PreviewKey(kKeyRight);
  EXPECT_EQ(21, host.cursorX);
  EXPECT_EQ("(10,21)", host.status);
  host.cursorX = 0;
  editor.PreviewKey(kKeyLeft);  // the cursor stays on the screen
  EXPECT_EQ(0, host.cursorX);
  EXPECT_EQ("(10,-1)", host.status);

  TheDocument.CurrentItem[kLayoutList] = 2;
  editor.PreviewKey(kKeyTab);  // from the last item to the first
  EXPECT_EQ(1, TheDocument.CurrentItem[kLayoutList]);
  EXPECT_EQ(1, mainWindow.refreshes);

  editor.SetEditEnabled(false);
  editor.PreviewKey(kKeySpace);
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);
  editor.SetEditEnabled(true);
  view.currentList = kNoList;  // the File page
  editor.PreviewKey(kKeyInsert);
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);

  view.currentList = kLayoutList;
  editor.PreviewKey(kKeySpace);
  editor.SetEditEnabled(false);  // switching editing off ends the edit
  EXPECT_EQ(kEditIdle, editor.State().PreviewEditState);
}

}  // namespace
