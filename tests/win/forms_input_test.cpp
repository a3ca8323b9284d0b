// A user's input on a shown form, played by the form driver: keys on hinted
// controls, system keys, dialog keys, radio groups, pages, list views and
// up-down steps.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/form_driver.h"
#include "win/application.h"
#include "win/form.h"

namespace {

using namespace form_driver;

const PartDescription kKeyItems[] = {{"0", 0}, {"99", 0}};
const PartDescription kColumns[] = {{"#", 16}, {"A much longer header", 20}};

#define FRM_INPUT_NAMES(X)                                                                          \
  X(txtKey) X(cmbUpKey) X(gbKeys) X(rbA1) X(rbB1) X(rbA2) X(rbB2) X(rbPlain1) X(rbPlain2) X(btnOK) \
  X(btnCancel) X(pages) X(tsOne) X(txtOne) X(tsTwo) X(lstView) X(upStep)
enum Name { FRM_INPUT_NAMES(TW_NAME_ENUM) kNameCount };
const char* const kNames[] = {FRM_INPUT_NAMES(TW_NAME_TEXT)};

const ControlDescription kRows[] = {
    {txtKey, kRoleEdit, kFormItself, 8, 8, 100, 21, ""},
    {cmbUpKey, kRoleComboBox, kFormItself, 120, 8, 60, 21, "", 0, 0, 0, 0, 0, kKeyItems, 2},
    // Two groups on one parent whose buttons alternate, and group 0.
    {gbKeys, kRoleGroupBox, kFormItself, 8, 36, 200, 90, "Keys"},
    {rbA1, kRoleRadioButton, gbKeys, 8, 16, 80, 17, "A1", 0, 0, 0, 1},
    {rbB1, kRoleRadioButton, gbKeys, 100, 16, 80, 17, "B1", 0, 0, 0, 2},
    {rbA2, kRoleRadioButton, gbKeys, 8, 36, 80, 17, "A2", 0, 0, 0, 1},
    {rbB2, kRoleRadioButton, gbKeys, 100, 36, 80, 17, "B2", 0, 0, 0, 2},
    {rbPlain1, kRoleRadioButton, kFormItself, 220, 40, 60, 17, "P1"},
    {rbPlain2, kRoleRadioButton, kFormItself, 220, 60, 60, 17, "P2"},
    {btnOK, kRoleButton, kFormItself, 8, 130, 75, 25, "OK", kStyleDefault, 0, kModalOk},
    {btnCancel, kRoleButton, kFormItself, 90, 130, 75, 25, "Cancel", kStyleCancel, 0, kModalCancel},
    {pages, kRolePageControl, kFormItself, 8, 160, 300, 140, ""},
    {tsOne, kRoleTabSheet, pages, 0, 0, 0, 0, "One"},
    {txtOne, kRoleEdit, tsOne, 8, 8, 60, 21, ""},
    {tsTwo, kRoleTabSheet, pages, 0, 0, 0, 0, "Two"},
    {lstView, kRoleListView, tsTwo, 4, 4, 200, 90, "", 0, 0, 0, 0, 0, kColumns, 2},
    {upStep, kRoleUpDown, tsTwo, 220, 4, 16, 40, ""},
};

const FormDescription kInputForm = {"frmInput", "TfrmInput", "Input", 20, 20, 320, 310, kBorderDialog,
                                    kFormKeyPreview, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET,
                                    kRows, sizeof kRows / sizeof kRows[0], kNames, kNameCount};

// Keeps the events; its handlers act the way the program's do.
class TfrmInput : public Form {
 public:
  TfrmInput() : Form(kInputForm) {}
  std::vector<FormEvent> events;
  bool refusePage = false;

  int Count(EventKind kind, int control) const {
    int n = 0;
    for (const FormEvent& e : events) n += e.kind == kind && e.control == control;
    return n;
  }
  std::vector<EventKind> KindsOf(int control) const {
    std::vector<EventKind> kinds;
    for (const FormEvent& e : events) {
      if (e.control == control) kinds.push_back(e.kind);
    }
    return kinds;
  }

 protected:
  void OnEvent(FormEvent& event) override {
    events.push_back(event);
    switch (event.control) {
      case txtKey:
        if (event.kind == kEventKeyPress && event.keyChar == 'x') event.keyChar = 0;
        // A key-capture field takes Alt+F keys and F10 for itself.
        if (event.kind == kEventKeyDown && (event.key == VK_F10 || (event.shift & kShiftAlt))) event.key = 0;
        break;
      case pages:
        if (event.kind == kEventChanging) event.allow = !refusePage;
        break;
      case upStep:
        if (event.kind == kEventUpDownClick && event.upButton) event.allow = UpDown(ControlAt(upStep)).Position() < 2;
        break;
    }
  }
};

class FormsInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Create();
    form.Show();
    Pump();
    form.events.clear();
  }
  TfrmInput form;
  MessageBoxAnswerer boxes;
};

TEST_F(FormsInputTest, AHintedControlKeepsItsKeysAndItsChanges) {
  form.ControlAt(txtKey).SetHint("Type a key");
  form.ControlAt(cmbUpKey).SetHint("Item number");
  TypeText(form, txtKey, "axb");
  EXPECT_EQ("ab", form.ControlAt(txtKey).Text());
  EXPECT_EQ(3, form.Count(kEventKeyPress, txtKey));
  EXPECT_EQ(3, form.Count(kEventKeyDown, kFormItself));  // the key preview saw them first

  ComboBox combo(form.ControlAt(cmbUpKey));
  EXPECT_EQ(2, combo.Count());
  TypeText(form, cmbUpKey, "7");
  EXPECT_EQ("7", combo.Text());
  EXPECT_EQ(1, form.Count(kEventKeyPress, cmbUpKey));
  EXPECT_EQ(1, form.Count(kEventChange, cmbUpKey));
  SelectComboItem(form, cmbUpKey, 1);
  EXPECT_EQ("99", combo.Text());
  EXPECT_EQ(2, form.Count(kEventChange, cmbUpKey));
  // Typing into the combo box left the edit field: its Exit ran.
  EXPECT_EQ(1, form.Count(kEventExit, txtKey));
  LeaveField(form);
  EXPECT_EQ(1, form.Count(kEventExit, cmbUpKey));

  combo.SetItemData(1, 99);
  EXPECT_EQ(99, combo.ItemData(1));
  EXPECT_EQ(0, boxes.Count());
}

TEST_F(FormsInputTest, AltFunctionKeysAndF10ReachKeyDownAndCanBeSwallowed) {
  form.ControlAt(txtKey).SetHint("Press a function key");
  Focus(form, txtKey);
  PressKey(VK_F3, kShiftAlt | kShiftKey);
  ASSERT_EQ(1, form.Count(kEventKeyDown, txtKey));
  EXPECT_EQ(VK_F3, form.events.back().key);
  EXPECT_EQ((unsigned)(kShiftAlt | kShiftKey), form.events.back().shift & (kShiftAlt | kShiftKey));
  PressKey(VK_F10);
  ASSERT_EQ(2, form.Count(kEventKeyDown, txtKey));
  EXPECT_EQ(VK_F10, form.events.back().key);
  EXPECT_EQ(0u, form.events.back().shift & kShiftAlt);
  EXPECT_EQ(GetFocus(), (HWND)form.ControlAt(txtKey));  // no menu took the keys
}

TEST_F(FormsInputTest, EnterAndEscapeClickTheDefaultAndCancelButtons) {
  TypeText(form, txtKey, "q\r");
  EXPECT_EQ(1, form.Count(kEventClick, btnOK));
  EXPECT_EQ(kModalOk, form.GetModalResult());
  // Enter is a dialog key here: its KeyDown ran, no KeyPress, and the field
  // was left before the click.
  EXPECT_EQ(1, form.Count(kEventKeyPress, txtKey));
  std::vector<EventKind> kinds = form.KindsOf(txtKey);
  ASSERT_GE(kinds.size(), 2u);
  EXPECT_EQ(kEventKeyDown, kinds[kinds.size() - 2]);
  EXPECT_EQ(kEventExit, kinds.back());

  Focus(form, txtKey);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(1, form.Count(kEventClick, btnCancel));
  EXPECT_EQ(kModalCancel, form.GetModalResult());
  // A focused push button takes Enter itself.
  PressKey(VK_RETURN);
  EXPECT_EQ(2, form.Count(kEventClick, btnCancel));
  EXPECT_EQ(1, form.Count(kEventClick, btnOK));
  // A disabled default button takes nothing.
  form.ControlAt(btnOK).SetEnabled(false);
  TypeText(form, txtKey, "\r");
  EXPECT_EQ(1, form.Count(kEventClick, btnOK));
}

TEST_F(FormsInputTest, ModalFormEndsWithEnter) {
  form.Hide();
  form.SetPosition(40, 50);
  // The key waits in the queue until the modal loop runs.
  PostMessageA(form.ControlAt(txtKey), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(kModalOk, form.ShowModal());
  EXPECT_EQ(40, form.Left());  // the caller's placement stays
  EXPECT_EQ(50, form.Top());
}

TEST_F(FormsInputTest, RadioButtonsFollowTheirGroupNumbers) {
  Click(form, rbA1);
  Click(form, rbB1);
  Click(form, rbA2);
  EXPECT_FALSE(CheckBox(form.ControlAt(rbA1)).Checked());
  EXPECT_TRUE(CheckBox(form.ControlAt(rbA2)).Checked());
  EXPECT_TRUE(CheckBox(form.ControlAt(rbB1)).Checked());
  EXPECT_EQ(1, form.Count(kEventClick, rbA2));
  // Selected by code: the group is cleared, no click event.
  RadioButton(form.ControlAt(rbB2)).Select();
  EXPECT_FALSE(CheckBox(form.ControlAt(rbB1)).Checked());
  EXPECT_TRUE(CheckBox(form.ControlAt(rbA2)).Checked());
  EXPECT_EQ(0, form.Count(kEventClick, rbB2));
  // Group 0: the buttons of one parent; the other groups are not touched.
  Click(form, rbPlain1);
  Click(form, rbPlain2);
  EXPECT_FALSE(CheckBox(form.ControlAt(rbPlain1)).Checked());
  EXPECT_TRUE(CheckBox(form.ControlAt(rbPlain2)).Checked());
  EXPECT_TRUE(CheckBox(form.ControlAt(rbA2)).Checked());
}

TEST_F(FormsInputTest, PageChangingComesBeforeChangeAndProgramChangesRaiseNothing) {
  PageControl pageControl(form.ControlAt(pages));
  form.refusePage = true;
  SelectPage(form, pages, 1);
  EXPECT_EQ(0, pageControl.ActivePage());
  EXPECT_EQ(1, form.Count(kEventChanging, pages));
  EXPECT_EQ(0, form.Count(kEventChange, pages));
  form.refusePage = false;
  SelectPage(form, pages, 1);
  EXPECT_EQ(1, pageControl.ActivePage());
  EXPECT_TRUE(form.ControlAt(tsTwo).Visible());
  EXPECT_FALSE(form.ControlAt(tsOne).Visible());
  std::vector<EventKind> kinds = form.KindsOf(pages);
  ASSERT_EQ(3u, kinds.size());
  EXPECT_EQ(kEventChanging, kinds[1]);
  EXPECT_EQ(kEventChange, kinds[2]);
  form.events.clear();
  pageControl.SetActivePage(0);
  EXPECT_TRUE(form.ControlAt(tsOne).Visible());
  EXPECT_TRUE(form.KindsOf(pages).empty());
}

TEST_F(FormsInputTest, ListViewRowsAreSelectedAndDoubleClickedAndColumnsFitTheirHeaders) {
  PageControl(form.ControlAt(pages)).SetActivePage(1);
  ListView list(form.ControlAt(lstView));
  list.BeginUpdate();
  for (const char* text : {"1", "2", "3"}) list.AddItem(text);
  list.EndUpdate();
  EXPECT_EQ(3, list.ItemCount());
  SelectListItem(form, lstView, 1);
  EXPECT_EQ(1, list.Selected());
  ASSERT_GE(form.Count(kEventSelectItem, lstView), 1);
  EXPECT_EQ(1, form.Count(kEventClick, lstView));
  DoubleClickListItem(form, lstView, 2);
  EXPECT_EQ(2, list.Selected());
  EXPECT_EQ(1, form.Count(kEventDblClick, lstView));

  EXPECT_EQ(2, list.ColumnCount());
  int narrow = list.ColumnWidth(1);
  list.SetColumnWidths(kColumnWidthFitHeader);
  EXPECT_GT(list.ColumnWidth(1), narrow);
}

TEST_F(FormsInputTest, AnUpDownStepCanBeRefused) {
  PageControl(form.ControlAt(pages)).SetActivePage(1);
  UpDown step(form.ControlAt(upStep));
  step.SetPosition(1);
  int width = step.Width(), height = step.Height();
  auto clickArrow = [&](bool up) {
    LPARAM at = MAKELPARAM(width / 2, up ? height / 4 : height * 3 / 4);
    SendMessageA(step, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(step, WM_LBUTTONUP, 0, at);
    Pump();
  };
  clickArrow(true);
  EXPECT_EQ(2, step.Position());
  clickArrow(true);  // refused by the handler
  EXPECT_EQ(2, step.Position());
  clickArrow(false);
  EXPECT_EQ(1, step.Position());
  ASSERT_EQ(3, form.Count(kEventUpDownClick, upStep));
  EXPECT_FALSE(form.events.back().upButton);
}

TEST(FormDriverTest, AnswerersAnswerInTurnAndRecordWhatWasAsked) {
  MessageBoxAnswerer boxes(kIdNo);
  boxes.Queue(kIdYes);
  EXPECT_EQ(kIdYes, ShowMessageBox(nullptr, "Overwrite?", "Prompt", kMbYesNo | kMbIconQuestion));
  EXPECT_EQ(kIdNo, ShowMessageBox(nullptr, "Again?", "Prompt", kMbYesNo));
  ASSERT_EQ(2, boxes.Count());
  EXPECT_EQ("Overwrite?", boxes.Boxes()[0].text);
  EXPECT_EQ((unsigned)(kMbYesNo | kMbIconQuestion), boxes.Boxes()[0].style);

  FileDialogAnswerer dialogs;
  dialogs.Queue("C:\\disc\\KORVEL\\boot.zqk");
  FileDialogRequest request = {};
  request.filter = "Menu File(*.zqk)\0*.zqk\0";
  request.title = "Open Menu File";
  ASSERT_TRUE(RunFileDialog(request));
  EXPECT_STREQ("C:\\disc\\KORVEL\\boot.zqk", request.file);
  EXPECT_STREQ("boot.zqk", request.fileTitle);
  EXPECT_FALSE(RunFileDialog(request));  // nothing queued: cancelled
  ASSERT_EQ(2, dialogs.Count());
  EXPECT_EQ("Menu File(*.zqk)|*.zqk", dialogs.Dialogs()[0].filter);
  EXPECT_EQ("Open Menu File", dialogs.Dialogs()[1].title);
}

// A custom-painted form takes every key itself, Tab and arrows included.
#define FRM_PAINTED_NAMES(X) X(sbStatus)
enum PaintedName { FRM_PAINTED_NAMES(TW_NAME_ENUM) kPaintedNameCount };
const char* const kPaintedNames[] = {FRM_PAINTED_NAMES(TW_NAME_TEXT)};
const PartDescription kPanels[] = {{"(0,0)", 80}};
const ControlDescription kPaintedRows[] = {
    {sbStatus, kRoleStatusBar, kFormItself, 0, 0, 0, 19, "", 0, 0, 0, 0, 0, kPanels, 1},
};
const FormDescription kPaintedForm = {"frmPainted", "TfrmPainted", "", 30, 30, 200, 100, kBorderToolWindow,
                                      kFormWantAllKeys, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET,
                                      kPaintedRows, 1, kPaintedNames, kPaintedNameCount};

class TfrmPainted : public Form {
 public:
  TfrmPainted() : Form(kPaintedForm) {}
  std::vector<WORD> keys;
  std::vector<int> pressedButtons;

 protected:
  void OnEvent(FormEvent& event) override {
    if (event.kind == kEventKeyDown && event.control == kFormItself) keys.push_back(event.key);
    if (event.kind == kEventMouseDown && event.control == kFormItself) pressedButtons.push_back(event.button);
  }
};

TEST(FormsPaintedTest, ACustomPaintedFormGetsTabArrowsAndEscapeAndCapturesTheMouse) {
  TfrmPainted form;
  form.Create();
  form.Show();
  SetFocus(form);
  Pump();
  for (WORD key : {VK_TAB, VK_LEFT, VK_DOWN, VK_ESCAPE, VK_RETURN}) PressKey(key);
  EXPECT_EQ((std::vector<WORD>{VK_TAB, VK_LEFT, VK_DOWN, VK_ESCAPE, VK_RETURN}), form.keys);
  form.CaptureMouse();
  EXPECT_TRUE(form.MouseCaptured());
  form.ReleaseMouse();
  EXPECT_FALSE(form.MouseCaptured());
  // The second press of a quick pair arrives as a double click: a press too.
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK}) SendMessageA(form, message, 0, 0);
  EXPECT_EQ((std::vector<int>{kMouseLeft, kMouseLeft, kMouseRight}), form.pressedButtons);
}

}  // namespace
