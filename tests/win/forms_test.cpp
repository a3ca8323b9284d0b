#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "win/application.h"
#include "win/dpi_scale.h"
#include "win/form.h"

namespace {

const PartDescription kListColumns[] = {{"#", 24}, {"Name", 100}};
const PartDescription kStatusPanels[] = {{"(0,0)", 80}};

#define FRM_TEST_NAMES(X)                                                                                 \
  X(lbName) X(txtName) X(btnOK) X(btnThrow) X(gbMode) X(rbtnA) X(rbtnB) X(chkOn) X(cbColor) X(cmbKey)       \
  X(lbDoneTxt) X(pColor1) X(bvFrame) X(imgBack) X(tabstrp) X(tsFile) X(btnOpen) X(tsLayout) X(lstViewL)   \
  X(txtEdgeL) X(upEdgeL) X(pbProgress) X(datePicker) X(timePicker) X(sbAlign) X(sbStatus) X(pmOptions)    \
  X(pmConfig) X(pmLangBar) X(pmLanguage) X(mmLang1) X(mmLang7)
enum Name { FRM_TEST_NAMES(TW_NAME_ENUM) kNameCount };
const char* const kNames[] = {FRM_TEST_NAMES(TW_NAME_TEXT)};

// One row of every role, nested the way the program's forms nest them.
const ControlDescription kRows[] = {
    {lbName, kRoleLabel, kFormItself, 8, 8, 60, 13, "Name:"},
    {txtName, kRoleEdit, kFormItself, 72, 4, 120, 21, "", 0, 12},
    {btnOK, kRoleButton, kFormItself, 200, 4, 75, 25, "OK", 0, 0, kModalOk},
    {btnThrow, kRoleButton, kFormItself, 280, 4, 75, 25, "Throw"},
    {gbMode, kRoleGroupBox, kFormItself, 8, 40, 180, 80, "Mode"},
    {rbtnA, kRoleRadioButton, gbMode, 8, 16, 80, 17, "A"},
    {rbtnB, kRoleRadioButton, gbMode, 8, 36, 80, 17, "B"},
    {chkOn, kRoleCheckBox, gbMode, 8, 56, 80, 17, "On"},
    {cbColor, kRoleComboBox, kFormItself, 200, 40, 120, 21, "", kStyleDropDownList | kStyleOwnerDraw, 0, 0, 0, 18},
    {cmbKey, kRoleComboBox, kFormItself, 200, 70, 60, 21, ""},
    {lbDoneTxt, kRoleStaticText, kFormItself, 200, 100, 49, 17, "0%", kStyleSunken | kStyleCenter},
    {pColor1, kRolePanel, kFormItself, 260, 100, 24, 24, ""},
    {bvFrame, kRoleBevel, kFormItself, 8, 124, 300, 4, ""},
    {imgBack, kRoleImage, kFormItself, 0, 0, 10, 10, "", kStyleHidden},
    {tabstrp, kRolePageControl, kFormItself, 8, 132, 330, 150, ""},
    {tsFile, kRoleTabSheet, tabstrp, 0, 0, 0, 0, "File"},
    {btnOpen, kRoleButton, tsFile, 8, 8, 75, 25, "Open"},
    {tsLayout, kRoleTabSheet, tabstrp, 0, 0, 0, 0, "Layout"},
    {lstViewL, kRoleListView, tsLayout, 4, 4, 200, 80, "", 0, 0, 0, 0, 0, kListColumns, 2},
    {txtEdgeL, kRoleEdit, tsLayout, 210, 4, 30, 21, "0", kStyleReadOnly},
    {upEdgeL, kRoleUpDown, tsLayout, 240, 4, 16, 21, ""},
    {pbProgress, kRoleProgressBar, kFormItself, 8, 290, 281, 16, "", kStyleSmooth},
    {datePicker, kRoleDateTimePicker, kFormItself, 8, 310, 100, 21, ""},
    {timePicker, kRoleDateTimePicker, kFormItself, 110, 310, 100, 21, "", kStyleTimeKind},
    {sbAlign, kRoleSpeedButton, kFormItself, 220, 310, 23, 22, "L"},
    {sbStatus, kRoleStatusBar, kFormItself, 0, 0, 0, 19, "", 0, 0, 0, 0, 0, kStatusPanels, 1},
    {pmOptions, kRolePopupMenu, kFormItself, 0, 0, 0, 0, ""},
    {pmConfig, kRoleMenuItem, pmOptions, 0, 0, 0, 0, "Config"},
    {pmLangBar, kRoleMenuItem, pmOptions, 0, 0, 0, 0, "-"},
    {pmLanguage, kRoleMenuItem, pmOptions, 0, 0, 0, 0, "Language"},
    {mmLang1, kRoleMenuItem, pmLanguage, 0, 0, 0, 0, "Arabic"},
    {mmLang7, kRoleMenuItem, pmLanguage, 0, 0, 0, 0, "Italiano"},
};

const FormDescription kTestForm = {"frmTest", "TfrmTest", "Test", 10, 10, 360, 360, kBorderDialog,
                                   kFormKeyPreview, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET,
                                   kRows, sizeof kRows / sizeof kRows[0], kNames, kNameCount};

// Records every event; a few handlers act the way the program's do.
class TfrmTest : public Form {
 public:
  TfrmTest() : Form(kTestForm) {}
  std::vector<FormEvent> events;
  bool refuseClose = false;
  bool refusePageChange = false;

  int Count(EventKind kind, int control) const {
    int n = 0;
    for (const FormEvent& e : events) n += e.kind == kind && e.control == control;
    return n;
  }

 protected:
  void OnEvent(FormEvent& event) override {
    events.push_back(event);
    if (event.kind == kEventCloseQuery && refuseClose) event.allow = false;
    if (event.kind == kEventChanging && refusePageChange) event.allow = false;
    if (event.kind == kEventKeyDown && event.control == kFormItself && event.key == VK_F2) event.key = 0;
    if (event.kind == kEventKeyPress && event.keyChar == 'x') event.keyChar = 0;
    if (event.kind == kEventKeyPress && event.keyChar == 'a') event.keyChar = 'b';
    if (event.kind == kEventClick && event.control == btnThrow) throw Exception("boom");
  }
};

std::vector<MessageBoxRequest> g_boxes;
std::vector<std::string> g_boxTexts;
int RecordBox(const MessageBoxRequest& request) {
  g_boxes.push_back(request);
  g_boxTexts.push_back(std::string(request.caption) + "|" + request.text);
  return kIdOk;
}

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TfrmTest();
    form->Create();
    g_boxes.clear();
    g_boxTexts.clear();
    before = SetMessageBoxHandler(RecordBox);
  }
  void TearDown() override {
    SetMessageBoxHandler(before);
    delete form;
  }
  void Command(int id, int code) {
    SendMessageA(*form, WM_COMMAND, MAKEWPARAM(kFirstRowId + id, code), (LPARAM)(HWND)form->ControlAt(id));
  }
  std::string ClassOf(int id) {
    char text[64] = "";
    GetClassNameA(form->ControlAt(id), text, sizeof text);
    return text;
  }
  TfrmTest* form = nullptr;
  MessageBoxHandler before = nullptr;
};

TEST_F(FormsTest, EveryRowIsCreatedAndFoundByName) {
  ASSERT_TRUE(form->Handle());
  char formClass[64];
  GetClassNameA(*form, formClass, sizeof formClass);
  EXPECT_STREQ("TfrmTest", formClass);
  EXPECT_EQ("", CheckFormDescription(kTestForm));
  for (const ControlDescription& row : kRows) {
    if (row.role == kRolePopupMenu) {
      EXPECT_TRUE(form->PopupMenuAt(row.id).IsValid()) << kNames[row.id];
    } else if (row.role == kRoleMenuItem) {
      EXPECT_TRUE(form->MenuItemAt(row.id).IsValid()) << kNames[row.id];
    } else {
      EXPECT_TRUE(form->ControlAt(row.id).IsValid()) << kNames[row.id];
      EXPECT_EQ(kFirstRowId + row.id, GetDlgCtrlID(form->ControlAt(row.id))) << kNames[row.id];
    }
  }
  EXPECT_EQ((HWND)form->ControlAt(txtName), (HWND)form->FindControl("txtName"));
  EXPECT_STREQ("mmLang7", form->ControlName(mmLang7));
  EXPECT_FALSE(form->FindControl("btnMissing").IsValid());
  EXPECT_FALSE(form->ControlAt(pmConfig).IsValid());
  EXPECT_FALSE(form->MenuItemAt(btnOK).IsValid());
  EXPECT_EQ("Edit", ClassOf(txtName));
  EXPECT_EQ("ComboBox", ClassOf(cbColor));
  EXPECT_EQ("SysListView32", ClassOf(lstViewL));
  EXPECT_EQ("msctls_statusbar32", ClassOf(sbStatus));
  EXPECT_EQ("SysDateTimePick32", ClassOf(datePicker));
  // Controls of a container are its children.
  EXPECT_EQ((HWND)form->ControlAt(gbMode), GetParent(form->ControlAt(rbtnA)));
  EXPECT_EQ((HWND)form->ControlAt(tsLayout), GetParent(form->ControlAt(lstViewL)));
  EXPECT_EQ(1, form->Count(kEventCreate, kFormItself));
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormsTest, PropertiesReadBackWhatWasSet) {
  Control label = form->ControlAt(lbName);
  label.SetCaption("Folder:");
  EXPECT_EQ("Folder:", label.Caption());
  label.SetBounds(5, 6, 70, 14);
  EXPECT_EQ(5, label.Left());
  EXPECT_EQ(6, label.Top());
  EXPECT_EQ(70, label.Width());
  EXPECT_EQ(14, label.Height());
  label.SetLeft(9);
  EXPECT_EQ(9, label.Left());
  EXPECT_EQ(70, label.Width());
  label.SetVisible(false);
  EXPECT_FALSE(label.Visible());
  label.SetEnabled(false);
  EXPECT_FALSE(label.Enabled());
  label.SetFont("Arial", 9, 204);
  EXPECT_EQ("Arial", label.FontName());
  EXPECT_EQ(9, label.FontSize());
  EXPECT_EQ(204, label.FontCharset());
  EXPECT_EQ("MS Sans Serif", form->ControlAt(txtName).FontName());

  Control edit = form->ControlAt(txtName);
  EXPECT_EQ("", edit.Hint());
  edit.SetHint("Type a name");
  EXPECT_EQ("Type a name", edit.Hint());
  edit.SetHint("Another");
  EXPECT_EQ("Another", edit.Hint());

  PopupMenuItem item = form->MenuItemAt(mmLang7);
  EXPECT_EQ("Italiano", item.Caption());
  item.SetCaption("Deutsch");
  EXPECT_EQ("Deutsch", item.Caption());
  item.SetChecked(true);
  EXPECT_TRUE(item.Checked());
  PopupMenuItem submenu = form->MenuItemAt(pmLanguage);
  EXPECT_EQ("Language", submenu.Caption());
  submenu.SetCaption("Sprache");
  EXPECT_EQ("Sprache", submenu.Caption());
  EXPECT_EQ(3, form->PopupMenuAt(pmOptions).Count());
}

TEST_F(FormsTest, EditKeepsItsMaximumLengthAndRowsKeepTheirRoles) {
  Edit edit(form->ControlAt(txtName));
  SendMessageA(edit, WM_CHAR, 'a', 0);  // turned into 'b' by the handler
  SendMessageA(edit, WM_CHAR, 'x', 0);  // swallowed by the handler
  SendMessageA(edit, WM_CHAR, 'c', 0);
  EXPECT_EQ("bc", edit.Text());
  for (int i = 0; i < 20; ++i) SendMessageA(edit, WM_CHAR, 'c', 0);
  EXPECT_EQ(12, edit.TextLength());

  RadioButton a(form->ControlAt(rbtnA)), b(form->ControlAt(rbtnB));
  a.Select();
  b.Select();
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());

  ComboBox combo(form->ControlAt(cbColor));
  combo.Add("Black");
  combo.Add("Blue");
  combo.SetItemIndex(1);
  EXPECT_EQ(1, combo.ItemIndex());
  EXPECT_EQ("Blue", combo.ItemText(1));
  EXPECT_EQ(TheApplication.Scale(18), (int)SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));

  ListView list(form->ControlAt(lstViewL));
  EXPECT_EQ("Name", list.ColumnCaption(1));
  list.SetColumnCaption(1, "Upper");
  EXPECT_EQ("Upper", list.ColumnCaption(1));
  list.AddItem("1");
  list.SetItemText(0, 1, "box");
  EXPECT_EQ("box", list.ItemText(0, 1));

  StatusBar status(form->ControlAt(sbStatus));
  EXPECT_EQ(1, status.PanelCount());
  EXPECT_EQ("(0,0)", status.PanelText(0));
  status.SetPanelText(0, "(3,4)", true);
  EXPECT_EQ("(3,4)", status.PanelText(0));

  ProgressBar bar(form->ControlAt(pbProgress));
  bar.SetRange(0, 10000);
  bar.SetPosition(5000);
  EXPECT_EQ(10000, bar.Max());
  EXPECT_EQ(5000, bar.Position());

  Panel panel(form->ControlAt(pColor1));
  EXPECT_EQ(CLR_INVALID, panel.Color());
  panel.SetColor(RGB(128, 0, 0));
  EXPECT_EQ(RGB(128, 0, 0), panel.Color());

  SYSTEMTIME time = {2024, 2, 0, 29, 0, 0, 0, 0};
  DateTimePicker date(form->ControlAt(datePicker));
  date.SetValue(time);
  SYSTEMTIME back = {};
  ASSERT_TRUE(date.Value(back));
  EXPECT_EQ(2024, back.wYear);
  EXPECT_EQ(29, back.wDay);
}

TEST_F(FormsTest, PageControlShowsOneSheetAndAsksBeforeAChange) {
  PageControl pages(form->ControlAt(tabstrp));
  EXPECT_EQ(2, pages.PageCount());
  EXPECT_EQ(0, pages.ActivePage());
  EXPECT_TRUE(form->ControlAt(tsFile).Visible());
  EXPECT_FALSE(form->ControlAt(tsLayout).Visible());
  pages.SetActivePage(1);
  EXPECT_EQ(1, pages.ActivePage());
  EXPECT_FALSE(form->ControlAt(tsFile).Visible());
  EXPECT_TRUE(form->ControlAt(tsLayout).Visible());
  int index = tabstrp;
  EXPECT_EQ(0, form->Count(kEventChange, index));  // a change made by code raises nothing

  // The sheet's caption is its tab's text.
  form->ControlAt(tsLayout).SetCaption("Boxes");
  char text[32] = "";
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(pages.Tabs(), TCM_GETITEMA, 1, (LPARAM)&item);
  EXPECT_STREQ("Boxes", text);

  // The tab strip's notifications travel through the page control to the form.
  NMHDR header = {pages.Tabs(), 0, (UINT)TCN_SELCHANGING};
  form->refusePageChange = true;
  EXPECT_EQ(TRUE, SendMessageA(pages, WM_NOTIFY, 0, (LPARAM)&header));
  form->refusePageChange = false;
  EXPECT_EQ(FALSE, SendMessageA(pages, WM_NOTIFY, 0, (LPARAM)&header));
  EXPECT_EQ(2, form->Count(kEventChanging, index));
  SendMessageA(pages.Tabs(), TCM_SETCURSEL, 0, 0);
  header.code = TCN_SELCHANGE;
  SendMessageA(pages, WM_NOTIFY, 0, (LPARAM)&header);
  EXPECT_EQ(1, form->Count(kEventChange, index));
  EXPECT_TRUE(form->ControlAt(tsFile).Visible());
}

TEST_F(FormsTest, ClicksAndChangesReachTheirHandlers) {
  Command(chkOn, BN_CLICKED);
  EXPECT_EQ(1, form->Count(kEventClick, chkOn));
  // A button on a tab sheet reports through the sheet.
  Control open = form->ControlAt(btnOpen);
  SendMessageA(GetParent(open), WM_COMMAND, MAKEWPARAM(kFirstRowId + btnOpen, BN_CLICKED),
               (LPARAM)(HWND)open);
  EXPECT_EQ(1, form->Count(kEventClick, btnOpen));
  // A menu item's command.
  SendMessageA(*form, WM_COMMAND, MAKEWPARAM(kFirstRowId + mmLang7, 0), 0);
  EXPECT_EQ(1, form->Count(kEventClick, mmLang7));
  // An edit's text change.
  form->ControlAt(txtName).SetText("abc");
  EXPECT_EQ(1, form->Count(kEventChange, txtName));
  // The up-down's step.
  NMUPDOWN step = {};
  step.hdr.hwndFrom = form->ControlAt(upEdgeL);
  step.hdr.code = UDN_DELTAPOS;
  step.iDelta = 1;
  SendMessageA(GetParent(step.hdr.hwndFrom), WM_NOTIFY, 0, (LPARAM)&step);
  ASSERT_FALSE(form->events.empty());
  EXPECT_EQ(kEventUpDownClick, form->events.back().kind);
  EXPECT_TRUE(form->events.back().upButton);
  // A panel is clicked with the mouse.
  SendMessageA(form->ControlAt(pColor1), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(1, form->Count(kEventClick, pColor1));
  // Mouse on the form itself, in client pixels.
  SendMessageA(*form, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 40));
  ASSERT_EQ(kEventMouseDown, form->events.back().kind);
  EXPECT_EQ(kMouseRight, form->events.back().button);
  EXPECT_EQ(30, form->events.back().x);
  EXPECT_EQ(40, form->events.back().y);
}

TEST_F(FormsTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  Control edit = form->ControlAt(txtName);
  int index = txtName;
  SendMessageA(edit, WM_KEYDOWN, VK_F1, 0);
  ASSERT_GE(form->events.size(), 2u);
  EXPECT_EQ(kFormItself, form->events[form->events.size() - 2].control);
  EXPECT_EQ(index, form->events.back().control);
  form->events.clear();
  SendMessageA(edit, WM_KEYDOWN, VK_F2, 0);  // swallowed by the form
  EXPECT_EQ(1, form->Count(kEventKeyDown, kFormItself));
  EXPECT_EQ(0, form->Count(kEventKeyDown, index));
  // The edit of an editable combo box reports as the combo box.
  HWND comboEdit = FindWindowExA(form->ControlAt(cmbKey), nullptr, "Edit", nullptr);
  ASSERT_TRUE(comboEdit);
  SendMessageA(comboEdit, WM_CHAR, '9', 0);
  EXPECT_EQ(1, form->Count(kEventKeyPress, cmbKey));
}

TEST_F(FormsTest, ShowHideAndCloseQuery) {
  form->Show();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(1, form->Count(kEventShow, kFormItself));
  form->refuseClose = true;
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->refuseClose = false;
  form->Close();  // a form that is not the main form hides
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(2, form->Count(kEventCloseQuery, kFormItself));
  EXPECT_EQ(1, form->Count(kEventHide, kFormItself));
}

TEST_F(FormsTest, ModalFormEndsWithTheModalResultOfItsButton) {
  PostMessageA(*form, WM_COMMAND, MAKEWPARAM(kFirstRowId + btnOK, BN_CLICKED),
               (LPARAM)(HWND)form->ControlAt(btnOK));
  EXPECT_EQ(kModalOk, form->ShowModal());
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->IsModal());
  PostMessageA(*form, WM_CLOSE, 0, 0);
  EXPECT_EQ(kModalCancel, form->ShowModal());
}

TEST_F(FormsTest, ExceptionInAHandlerIsShownAndDoesNotLeaveTheWindowProcedure) {
  Command(btnThrow, BN_CLICKED);
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_EQ("Tarnwick|boom", g_boxTexts[0]);
  EXPECT_EQ(kMbOk | kMbIconError, g_boxes[0].style);
  Command(chkOn, BN_CLICKED);  // the form goes on working
  EXPECT_EQ(1, form->Count(kEventClick, chkOn));
}

TEST(ApplicationTest, ShowExceptionGoesThroughTheMessageBoxSeam) {
  g_boxTexts.clear();
  MessageBoxHandler before = SetMessageBoxHandler(RecordBox);
  TheApplication.ShowException(Exception("Disk full"));
  try {
    throw 42;
  } catch (...) {
    TheApplication.ShowCurrentException();
  }
  SetMessageBoxHandler(before);
  ASSERT_EQ(2u, g_boxTexts.size());
  EXPECT_EQ("Tarnwick|Disk full", g_boxTexts[0]);
  EXPECT_EQ("Tarnwick|", g_boxTexts[1]);  // a thrown non-exception shows an empty message
}

TEST(DpiScaling, DesignPixelsScaleByPixelsPerInchOver96Truncated) {
  EXPECT_EQ(337, ScaleDesignPixels(337, 96));
  EXPECT_EQ(421, ScaleDesignPixels(337, 120));
  EXPECT_EQ(505, ScaleDesignPixels(337, 144));
  EXPECT_EQ(1, ScaleDesignPixels(1, 120));
  EXPECT_EQ(0, ScaleDesignPixels(0, 120));
}

TEST(DpiScaling, FormsAreLaidOutAtTheScreenDensity) {
  int before = TheApplication.ScreenPixelsPerInch();
  TheApplication.SetScreenPixelsPerInch(120);
  TfrmTest form;
  form.Create();
  Control edit = form.ControlAt(txtName);
  EXPECT_EQ(120 * 72 / 96, edit.Left());
  EXPECT_EQ(120 * 120 / 96, edit.Width());
  EXPECT_EQ(ScaleDesignPixels(360, 120), form.ClientWidth());
  // Fonts are sized in points at that density.
  EXPECT_EQ(8, edit.FontSize());
  form.Destroy();
  TheApplication.SetScreenPixelsPerInch(before);
}

}  // namespace
