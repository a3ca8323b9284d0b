// The main window's editing: list buttons, list views and rows, page
// changes with their commit order, undo, the preview's rectangle, the File
// page's options; and the form table itself.
#include <string>

#include "image/progress_seam.h"
#include "menu/item_ops.h"
#include "menu/undo.h"
#include "platform/cursor.h"
#include "platform/shell_launch.h"
#include "ui/frm_preview.h"
#include "main_window_fixture.h"

extern const FormDescription kFrmTbDescription;

namespace {

using namespace form_driver;

std::vector<std::string> g_opened;
bool RecordOpen(const ShellStartRequest& request) {
  g_opened.push_back(request.file);
  return true;
}

TEST(MainWindowForm, EveryNameHasItsRowAndEveryCaptionNamesOne) {
  EXPECT_EQ("", CheckFormDescription(kFrmTbDescription));
}

TEST_F(MainWindowTest, APageChangeCommitsThePendingFieldToTheListOfThePageLeft) {
  Show();
  SelectPage(1);
  Click(T::btnAppendL);
  SelectPage(2);
  Click(T::btnAppendT);
  SelectPage(1);
  EXPECT_EQ(kPageLayout, frmTb->ActivePage());
  EXPECT_EQ(kLayoutList, frmTb->ActiveList());
  Focus(*frmTb, T::txtULRowL);
  SendMessageA(At(T::txtULRowL), EM_SETSEL, 0, -1);
  Type("33");
  SelectPage(2);  // the field is still focused: the page change commits it
  EXPECT_EQ(33, TheDocument.layoutItems[1].y1);
  EXPECT_EQ(192, TheDocument.textItems[1].geometry.y1);
  EXPECT_EQ(kTextList, frmTb->ActiveList());
  EXPECT_EQ("(33,160)", ListView(At(T::lstViewL)).ItemText(0, 1));
}

// With the focus on the tab strip, Right walks every page, the focus
// staying on the strip; Tab never reaches a control of a hidden page; a
// click on a tab always shows its page.
TEST_F(MainWindowTest, TheTabsAnswerRightTabAndClicksOnEveryPage) {
  Show();
  const int sheets[] = {T::tsFile, T::tsLayout, T::tsTextShow, T::tsMenuBar, T::tsFuncKey, T::tsAbout};
  auto shown = [&](int page) { return frmTb->ActivePage() == page && IsWindowVisible(At(sheets[page])); };
  const HWND tabs = PageControl(At(T::tabstrp)).Tabs();
  SelectPage(kPageFile);
  for (int page = kPageLayout; page <= kPageAbout; ++page) {
    PressKey(VK_RIGHT);
    EXPECT_TRUE(shown(page) && GetFocus() == tabs) << page;
  }
  SetFocus(At(T::btnMoveUpT));  // where a page change once left it, on a hidden page
  for (int press = 0; press < 30; ++press) {
    PressKey(VK_TAB);
    EXPECT_TRUE(IsWindowVisible(GetFocus())) << press;
  }
  for (int page : {kPageFile, kPageMenu}) {
    SelectPage(page);
    EXPECT_TRUE(shown(page)) << page;
  }
}

// The list view raises its selection change while it handles the press,
// before it takes the focus: the field left must still commit to the row
// it showed, with its undo entry.
TEST_F(MainWindowTest, ClickingAnotherRowCommitsTheTypedValueToTheRowItShowed) {
  Show();
  SelectPage(3);
  Click(T::btnAppendM);
  Click(T::btnAppendM);
  SelectListItem(*frmTb, T::lstViewM, 0);
  ASSERT_EQ(1, TheDocument.CurrentItem[kMenuList]);
  int entries = UndoEntryCount();
  TypeText(*frmTb, T::txtMenuCmd, "kernel abc");
  SelectListItem(*frmTb, T::lstViewM, 1);
  EXPECT_EQ(2, TheDocument.CurrentItem[kMenuList]);
  EXPECT_STREQ("kernel abc", TheDocument.menuStrings[1].command);
  EXPECT_STRNE("kernel abc", TheDocument.menuStrings[2].command);
  EXPECT_EQ(entries + 1, UndoEntryCount());
  SelectListItem(*frmTb, T::lstViewM, 0);
  EXPECT_EQ("kernel abc", Text(T::txtMenuCmd));

  SelectPage(1);
  Click(T::btnAppendL);
  Click(T::btnAppendL);
  SelectListItem(*frmTb, T::lstViewL, 0);
  Focus(*frmTb, T::txtULRowL);
  SendMessageA(At(T::txtULRowL), EM_SETSEL, 0, -1);
  Type("77");
  SelectListItem(*frmTb, T::lstViewL, 1);
  EXPECT_EQ(77, TheDocument.layoutItems[1].y1);
  EXPECT_NE(77, TheDocument.layoutItems[2].y1);
  EXPECT_EQ("(77,160)", ListView(At(T::lstViewL)).ItemText(0, 1));
  EXPECT_EQ(1, ListView(At(T::lstViewL)).Selected());
}

TEST_F(MainWindowTest, UndoOnAnotherPageTakesBackTheLayoutChangeAndShowsItsPage) {
  Show();
  SelectPage(1);
  Click(T::btnAppendL);
  Enter(T::txtLRColL, "500");
  EXPECT_EQ(500, TheDocument.layoutItems[1].x2);
  EXPECT_TRUE(At(T::btnUndoT).Enabled());
  SelectPage(2);
  Click(T::btnUndoT);
  EXPECT_EQ(472, TheDocument.layoutItems[1].x2);
  EXPECT_EQ(kPageLayout, frmTb->ActivePage());
  EXPECT_EQ(kPageLayout, PageControl(At(T::tabstrp)).ActivePage());
  EXPECT_EQ("472", Text(T::txtLRColL));
  // The focus left the hidden page with it, and no key on any control of
  // either page hangs the window.
  const HWND focus = GetFocus();
  EXPECT_TRUE(IsChild(At(T::tsLayout), focus) && IsWindowVisible(focus));
  {
    Watchdog watchdog("Space after an Undo that switched pages");
    PressKey(VK_SPACE);
    SetFocus(At(T::btnMoveUpT));  // a button of the hidden page
    for (WORD key : {(WORD)VK_SPACE, (WORD)'A', (WORD)VK_TAB, (WORD)VK_DOWN}) PressKey(key);
    PressKey('A', kShiftAlt);
  }
  EXPECT_EQ(kPageLayout, frmTb->ActivePage());
  Click(T::btnUndoL);  // the append
  EXPECT_EQ(0, TheDocument.ItemCount[kLayoutList]);
  EXPECT_FALSE(At(T::btnUndoL).Enabled());
  EXPECT_FALSE(At(T::btnUndoF).Enabled());
}

TEST_F(MainWindowTest, ListRowsShowTheItemsAndAClickOrEnterMakesARowCurrent) {
  Show();
  SelectPage(3);
  Click(T::btnAppendM);
  Click(T::btnAppendM);
  MenuDocument& doc = TheDocument;
  doc.menuKeys[1].accKey = '1';
  doc.menuGeometry[2].highlightColors = 0x4F;
  doc.menuStrings[2].command[0] = 0;
  frmTb->RefreshListViews(kMenuList);
  ListView list(At(T::lstViewM));
  ASSERT_EQ(2, list.ItemCount());
  EXPECT_EQ("(192,160)", list.ItemText(0, 1));
  EXPECT_EQ("(212,472)", list.ItemText(0, 2));
  EXPECT_EQ("'1'", list.ItemText(0, 3));
  EXPECT_EQ("''", list.ItemText(1, 3));
  EXPECT_EQ(doc.CurrentColorTable[15].name, list.ItemText(1, 10));  // Fore
  EXPECT_EQ(doc.CurrentColorTable[4].name, list.ItemText(1, 11));   // Back
  EXPECT_EQ(1, list.Selected());
  // Sized to the headers: no header is cut.
  for (int column = 0; column + 1 < list.ColumnCount(); ++column) {
    int header = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)list.ColumnCaption(column).c_str());
    EXPECT_GE(list.ColumnWidth(column), header) << column;
  }

  SelectListItem(*frmTb, T::lstViewM, 0);
  EXPECT_EQ(1, doc.CurrentItem[kMenuList]);
  EXPECT_EQ("1", Text(T::txtAccKey));
  EXPECT_EQ("1", Text(T::txtItemNoM));
  list.SelectItem(1);
  Focus(*frmTb, T::lstViewM);
  PressKey(VK_RETURN);
  EXPECT_EQ(2, doc.CurrentItem[kMenuList]);
  // The first item became the default when the list was first shown; the
  // current item can take its place.
  EXPECT_EQ("1", Text(T::txtDefaultMenuNo));
  ASSERT_TRUE(At(T::btnSetDefaultMenu).Enabled());
  Click(T::btnSetDefaultMenu);
  EXPECT_EQ(2, doc.DefaultMenu);
  EXPECT_EQ("2", Text(T::txtDefaultMenuNo));
  EXPECT_FALSE(At(T::btnSetDefaultMenu).Enabled());
}

TEST_F(MainWindowTest, AppendAtTheLimitIsRefusedAndDeletingTheLastBoxErasesTheFrame) {
  Show();
  SelectPage(4);
  for (int i = 0; i < 37; ++i) Click(T::btnAppendF);
  EXPECT_EQ(36, TheDocument.ItemCount[kFunctionKeyList]);
  ASSERT_EQ(1, boxes.Count());
  EXPECT_EQ("Item Number Exceeds Limit 36", boxes.Boxes()[0].text);
  EXPECT_EQ("Error", boxes.Boxes()[0].caption);

  SelectPage(1);
  Click(T::btnAppendL);
  preview.calls.clear();
  Click(T::btnDeleteL);
  EXPECT_EQ(1, preview.Count("EraseFocusRect"));
  EXPECT_EQ("0", Text(T::txtItemsNumL));
}

TEST_F(MainWindowTest, ThePreviewsRectangleGoesThroughTheFieldsOfTheActivePage) {
  Show();
  frmTb->SetItemRectFromPreview(10, 20, 30, 40, true);  // the File page: nothing
  EXPECT_EQ(0, TheDocument.ItemCount[kLayoutList] + TheDocument.ItemCount[kTextList]);

  SelectPage(2);
  for (int i = 0; i < 50; ++i) Click(T::btnAppendT);
  const int entries = UndoEntryCount();
  frmTb->SetItemRectFromPreview(100, 20, 116, 300, true);
  ASSERT_EQ(1, boxes.Count());  // the list is full
  EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("Item Number Exceeds Limit 50"));
  const TextItemGeometry& g = TheDocument.textItems[50].geometry;
  EXPECT_EQ(100, g.y1);
  EXPECT_EQ(20, g.x1);
  EXPECT_EQ(116, g.y2);
  EXPECT_EQ(300, g.x2);
  EXPECT_EQ(entries < 36 ? entries + 1 : 36, UndoEntryCount());
}

// A box moved on the preview stops whole at the screen's left edge; a
// click on the main window's tab shows its page and ends the move, and
// Return in the preview then stores nothing.
TEST_F(MainWindowTest, AClickOutsideThePreviewEndsAMoveAndTheBoxStaysWholeOnTheScreen) {
  static const CursorBackend kStillCursor = {[] { return ScreenPoint{0, 0}; }, [](ScreenPoint) {}};
  const CursorBackend* cursorBefore = SetCursorBackend(&kStillCursor);
  UseRealPreview();
  Show();
  SelectPage(kPageLayout);
  Click(T::btnAppendL);  // rows 192..224, columns 160..472
  SendMessageA(*frmPreview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));  // the current box: moving it
  SendMessageA(*frmPreview, WM_MOUSEMOVE, 0, MAKELPARAM(2, 208));  // its centre row, far left
  EXPECT_EQ("(192,0)-(224,312)", frmPreview->StatusText());
  SelectPage(kPageText);
  EXPECT_EQ(kPageText, frmTb->ActivePage());
  EXPECT_EQ(kEditIdle, frmPreview->Editing().PreviewEditState);
  SetFocus(*frmPreview);
  PressKey(VK_RETURN);
  EXPECT_EQ(160, TheDocument.layoutItems[1].x1);
  SetCursorBackend(cursorBefore);
}

TEST_F(MainWindowTest, FileOptionsChangeTheirSettingOnlyWhenItDiffers) {
  Show();
  Click(T::optSubMenu);
  EXPECT_EQ(1, TheDocument.MenuType);
  EXPECT_EQ(1, TheDocument.DocumentModified);
  EXPECT_FALSE(At(T::txtPassword).Enabled());
  TheDocument.DocumentModified = 0;
  Click(T::optSubMenu);
  EXPECT_EQ(0, TheDocument.DocumentModified);
  EXPECT_FALSE(At(T::btnPassword).Enabled());

  Click(T::optToUpper);
  EXPECT_EQ('A', TheDocument.KeyTransfer);
  Click(T::optAccExec);
  EXPECT_EQ(255, TheDocument.AccKeyMode);

  Enter(T::txtWaitTime, "7");
  EXPECT_EQ(7, TheDocument.WaitTime);
  Focus(*frmTb, T::txtWaitTime);
  PressKey(VK_BACK);
  EXPECT_EQ(0, TheDocument.WaitTime);

  Click(T::chkWaitTime);  // cleared
  EXPECT_EQ(0, TheDocument.WaitTimeOn);
  EXPECT_FALSE(At(T::txtWaitTime).Enabled());
  EXPECT_FALSE(At(T::chkDispCount).Enabled());

  Click(T::chkPrevShow);  // cleared: the preview hides, its edit switch goes grey
  EXPECT_EQ(1, preview.Count("HidePreview"));
  EXPECT_FALSE(At(T::chkPrevEdit).Enabled());
}

TEST_F(MainWindowTest, TheWindowSeesF1FirstAndTheEnginesFat32QuestionDefaultsToNo) {
  Show();
  SelectPage(1);
  Focus(*frmTb, T::txtULRowL);
  g_opened.clear();
  ShellStartHandler before = SetShellStartHandler(RecordOpen);
  PressKey(VK_F1);
  SetShellStartHandler(before);
  EXPECT_EQ(std::vector<std::string>{JoinPaths(home_, "Tarnwick.chm")}, g_opened);

  boxes.Queue(IDYES);
  EXPECT_TRUE(ConfirmFat32Overflow());
  EXPECT_FALSE(ConfirmFat32Overflow());  // the default answer, No
  ASSERT_EQ(2, boxes.Count());
  EXPECT_EQ("FAT32 volume does not support image file exceeds 4GB, continue anyway?", boxes.Boxes()[0].text);
  EXPECT_EQ("Prompt", boxes.Boxes()[0].caption);
  EXPECT_EQ((unsigned)(kMbYesNo | kMbIconQuestion | kMbDefButton2), boxes.Boxes()[0].style);
  EXPECT_EQ((void*)frmTb->Handle(), boxes.Boxes()[0].owner);
}

}  // namespace
