// The main window's fields: key filters with real key messages, limits,
// commits on leaving a field, the cursor-key, hot-key and function-key
// fields, text comparisons and the colour combos.
#include <string>

#include "menu/undo.h"
#include "main_window_fixture.h"

namespace {

using namespace form_driver;

class MainWindowFieldsTest : public MainWindowTest {
 protected:
  // The main window on a page, with one item in that page's list.
  void ShowPageWithItem(int page, int appendButton) {
    Show();
    SelectPage(page);
    Click(appendButton);
  }
  // Types into a field as it stands (the caret at the end), without leaving.
  std::string TypeAtEnd(int id, const char* text) {
    Focus(*frmTb, id);
    SendMessageA(At(id), EM_SETSEL, 32767, 32767);
    Type(text);
    return Text(id);
  }
  void Paste(int id, const char* text) {
    At(id).SetText(text);  // text that comes in without keys
    Focus(*frmTb, id);
    LeaveField(*frmTb);
  }
};

TEST_F(MainWindowFieldsTest, NumericFieldsKeepTheirDigitBudgetAndTheScreenLimits) {
  ShowPageWithItem(1, T::btnAppendL);
  At(T::txtULRowL).SetText("47");
  EXPECT_EQ("479", TypeAtEnd(T::txtULRowL, "9"));
  EXPECT_EQ("479", TypeAtEnd(T::txtULRowL, "1"));
  At(T::txtULRowL).SetText("48");
  EXPECT_EQ("48", TypeAtEnd(T::txtULRowL, "8x-"));
  At(T::txtULRowL).SetText("123");
  Focus(*frmTb, T::txtULRowL);
  SendMessageA(At(T::txtULRowL), EM_SETSEL, 0, -1);
  Type("5");
  EXPECT_EQ("5", Text(T::txtULRowL));
  PressKey(VK_RETURN);  // Enter commits
  EXPECT_EQ(5, TheDocument.layoutItems[1].y1);

  TheDocument.Resolution = kResolution800x600;
  ApplyResolution();
  At(T::txtULRowL).SetText("59");
  EXPECT_EQ("599", TypeAtEnd(T::txtULRowL, "9"));
  At(T::txtULRowL).SetText("60");
  EXPECT_EQ("60", TypeAtEnd(T::txtULRowL, "0"));
}

TEST_F(MainWindowFieldsTest, TextThatBypassesTheKeysIsHeldToTheFieldsLimitsWhenLeft) {
  ShowPageWithItem(1, T::btnAppendL);
  Paste(T::txtULRowL, "-5");
  EXPECT_EQ(0, TheDocument.layoutItems[1].y1);
  EXPECT_EQ("0", Text(T::txtULRowL));
  Paste(T::txtLRColL, "99999");
  EXPECT_EQ(639, TheDocument.layoutItems[1].x2);
  Paste(T::txtLRRowL, "");
  EXPECT_EQ(0, TheDocument.layoutItems[1].y2);
  EXPECT_EQ("0", Text(T::txtLRRowL));
  SelectPage(3);
  Click(T::btnAppendM);
  Paste(T::cmbUpKey, "300");  // no menu item number: refused
  EXPECT_EQ(0, TheDocument.menuKeys[1].up);
  EXPECT_EQ("0", Text(T::cmbUpKey));
}

TEST_F(MainWindowFieldsTest, LeavingAFieldOfAnEmptyListOrAnUnchangedFieldCommitsNothing) {
  Show();
  SelectPage(1);
  Enter(T::txtULRowL, "100");
  EXPECT_EQ(0, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(0, UndoEntryCount());
  Click(T::btnAppendL);
  const int entries = UndoEntryCount();
  Enter(T::txtULRowL, "192");  // the value it holds
  EXPECT_EQ(entries, UndoEntryCount());
}

TEST_F(MainWindowFieldsTest, TheProgressBarsLowerRowStaysBelowItsUpperRow) {
  Show();
  SelectPage(4);
  Enter(T::txtULRowP, "300");
  Enter(T::txtLRRowP, "250");
  EXPECT_EQ(301, TheDocument.ProgressRect.y2);
  EXPECT_EQ("301", Text(T::txtLRRowP));
  EXPECT_EQ(1, TheDocument.DocumentModified);
}

TEST_F(MainWindowFieldsTest, CursorKeyCombosTakeItemNumbersUpTo36And99) {
  ShowPageWithItem(3, T::btnAppendM);
  At(T::cmbUpKey).SetText("");
  EXPECT_EQ("3", TypeAtEnd(T::cmbUpKey, "37"));
  At(T::cmbUpKey).SetText("");
  EXPECT_EQ("99", TypeAtEnd(T::cmbUpKey, "99"));
  At(T::cmbUpKey).SetText("");
  EXPECT_EQ("4", TypeAtEnd(T::cmbUpKey, "40"));
  At(T::cmbUpKey).SetText("");
  TypeAtEnd(T::cmbUpKey, "12");
  LeaveField(*frmTb);
  EXPECT_EQ(12, TheDocument.menuKeys[1].up);
}

TEST_F(MainWindowFieldsTest, BlanksThatDoNotCountCommitNothing) {
  ShowPageWithItem(3, T::btnAppendM);
  Enter(T::txtMenuText, "Boot");
  EXPECT_STREQ("Boot", TheDocument.menuStrings[1].text);
  const int entries = UndoEntryCount();
  TypeAtEnd(T::txtMenuText, "  ");
  LeaveField(*frmTb);
  EXPECT_EQ(entries, UndoEntryCount());
  Enter(T::txtMenuText, " Boot");
  EXPECT_STREQ(" Boot", TheDocument.menuStrings[1].text);
  Enter(T::txtMenuPass, "pw ");
  EXPECT_STREQ("pw ", TheDocument.menuStrings[1].password);

  SelectPage(0);
  Enter(T::txtBackImg, "BACK.BMP");
  EXPECT_STREQ("BACK.BMP", TheDocument.BackImageName);
  EXPECT_EQ(1, preview.Count("LoadBackImage"));
  Enter(T::txtBackImg, "back.bmp");  // only the letter case differs
  EXPECT_STREQ("BACK.BMP", TheDocument.BackImageName);
  EXPECT_EQ(1, preview.Count("LoadBackImage"));
  // The pictures are files of the menu folder: no folder or drive is typed.
  Enter(T::txtBackImg, "..\\C:B/K.BMP");
  EXPECT_STREQ("..CBK.BMP", TheDocument.BackImageName);
  Enter(T::txtLogoImg, "..\\L:/.BMP");
  EXPECT_EQ("..L.BMP", Text(T::txtLogoImg));
}

TEST_F(MainWindowFieldsTest, TheHotKeyFieldHoldsTheLastPrintableCharacter) {
  ShowPageWithItem(3, T::btnAppendM);
  Focus(*frmTb, T::txtAccKey);
  Type("ab ");
  EXPECT_EQ("b", Text(T::txtAccKey));
  LeaveField(*frmTb);
  EXPECT_EQ('b', TheDocument.menuKeys[1].accKey);
}

TEST_F(MainWindowFieldsTest, TheFunctionKeyFieldNamesTheKeyAndKeepsItsToken) {
  ShowPageWithItem(4, T::btnAppendF);
  struct Case {
    WORD key;
    unsigned shift;
    const char* name;
    const char* token;
  };
  const Case cases[] = {
      {VK_F3, kShiftKey, "Shift+F3", "sf3"}, {VK_F3, kShiftKey | kShiftAlt, "Alt+F3", "af3"},
      {VK_F3, kShiftCtrl, "F3", "f3"},       {VK_DELETE, 0, "Del", "del"},
      {'Q', 0, "q", "q"},
  };
  Focus(*frmTb, T::txtFuncKey);
  for (const Case& c : cases) {
    if (c.key == 'Q') {
      Type("q");
    } else {
      PressKey(c.key, c.shift);
    }
    EXPECT_EQ(c.name, Text(T::txtFuncKey)) << c.name;
    EXPECT_EQ(c.token, Text(T::txtFKeyStr)) << c.name;
  }
  PressKey(VK_LEFT);  // an arrow key leaves both as they are
  EXPECT_EQ("q", Text(T::txtFuncKey));
  PressKey(VK_F5, kShiftKey);
  LeaveField(*frmTb);
  EXPECT_STREQ("Shift+F5", TheDocument.functionKeys[1].keyName);
  EXPECT_STREQ("sf5", TheDocument.functionKeys[1].key);
}

TEST_F(MainWindowFieldsTest, AlignmentAndColoursCommitOnlyAChange) {
  ShowPageWithItem(2, T::btnAppendT);
  Click(T::optAlignRight);
  EXPECT_EQ(kAlignRight, TheDocument.textItems[1].geometry.align);
  SelectComboItem(*frmTb, T::cbTextColorT, 12);
  EXPECT_EQ(12, TheDocument.textItems[1].geometry.color);
  const int entries = UndoEntryCount();
  SelectComboItem(*frmTb, T::cbTextColorT, 12);
  Click(T::optAlignRight);
  EXPECT_EQ(entries, UndoEntryCount());

  SelectPage(4);
  TheDocument.DocumentModified = 0;
  SelectComboItem(*frmTb, T::cbCColorBG, HighColor(TheDocument.CounterColors));  // the same colour
  EXPECT_EQ(1, TheDocument.DocumentModified);
  SelectComboItem(*frmTb, T::cbFGColorP, 9);
  EXPECT_EQ(9, LowColor(TheDocument.ProgressColors));
}

TEST_F(MainWindowFieldsTest, AColourBeyondTheTableShowsNoRowAndIsKeptWhenTheItemIsStored) {
  ShowPageWithItem(1, T::btnAppendL);
  TheDocument.layoutItems[1].mainColor = 200;  // as a damaged file may hold it
  frmTb->RefreshListViews(kLayoutList);
  frmTb->ShowCurrentItem(kLayoutList);
  EXPECT_EQ(-1, ComboBox(At(T::cbMColorL)).ItemIndex());
  EXPECT_EQ("200", ListView(At(T::lstViewL)).ItemText(0, 5));
  RedrawWindow(At(T::cbMColorL), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Enter(T::txtULColL, "10");
  EXPECT_EQ(10, TheDocument.layoutItems[1].x1);
  EXPECT_EQ(200, TheDocument.layoutItems[1].mainColor);
}

}  // namespace
