// The windows and menus of a form's rows, made in table order.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "win/application.h"
#include "win/container.h"
#include "win/form.h"
#include "win/window_procs.h"

namespace {

// Height of one line of a label in the design font, in design pixels.
const int kOneLineHeight = 13;

bool IsMenuRole(ControlRole role) { return role == kRolePopupMenu || role == kRoleMenuItem; }

// The system class and styles of a row that is not one of our containers;
// false for the roles that are.
bool SystemClassOf(const ControlDescription& row, const char*& windowClass, DWORD& style, DWORD& exStyle) {
  switch (row.role) {
    case kRoleLabel:
    case kRoleStaticText:
      windowClass = WC_STATICA;
      // A left-aligned row of one line does not wrap: a caption too long
      // for it is cut at its end rather than losing its last words to a
      // second line that the row cannot show.
      style |= SS_NOTIFY | ((row.style & kStyleCenter)  ? SS_CENTER
                            : (row.style & kStyleRight) ? SS_RIGHT
                            : row.height < 2 * kOneLineHeight ? SS_LEFTNOWORDWRAP
                                                              : SS_LEFT);
      if (row.style & kStyleSunken) style |= SS_SUNKEN;
      return true;
    case kRoleEdit:
      windowClass = WC_EDITA;
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      if (row.style & kStyleReadOnly) style |= ES_READONLY;
      if (row.style & kStylePassword) style |= ES_PASSWORD;
      if (!(row.style & kStyleNoBorder)) exStyle |= WS_EX_CLIENTEDGE;
      return true;
    case kRoleButton:
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | ((row.style & kStyleDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      return true;
    case kRoleSpeedButton:
      windowClass = WC_BUTTONA;
      style |= BS_PUSHBUTTON | BS_FLAT;
      return true;
    case kRoleCheckBox:
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      return true;
    case kRoleRadioButton:
      // The form checks the button and clears its group (groups need not
      // follow the order of the windows).
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      return true;
    case kRoleComboBox:
      windowClass = WC_COMBOBOXA;
      style |= WS_TABSTOP | WS_VSCROLL | ((row.style & kStyleDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
      if (row.style & kStyleOwnerDraw) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      return true;
    case kRoleBevel:
      windowClass = WC_STATICA;
      style |= SS_ETCHEDFRAME;
      return true;
    case kRoleImage:
      windowClass = WC_STATICA;
      style |= SS_BITMAP;
      return true;
    case kRoleListView:
      windowClass = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      exStyle |= WS_EX_CLIENTEDGE;
      return true;
    case kRoleStatusBar:
      windowClass = STATUSCLASSNAMEA;
      style |= CCS_BOTTOM;
      return true;
    case kRoleProgressBar:
      windowClass = PROGRESS_CLASSA;
      if (row.style & kStyleSmooth) style |= PBS_SMOOTH;
      return true;
    case kRoleUpDown:
      windowClass = UPDOWN_CLASSA;
      style |= UDS_ARROWKEYS;
      return true;
    case kRoleDateTimePicker:
      windowClass = DATETIMEPICK_CLASSA;
      style |= WS_TABSTOP | DTS_UPDOWN | ((row.style & kStyleTimeKind) ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT);
      return true;
    default:
      return false;
  }
}

int ContainerKindOf(const ControlDescription& row) {
  switch (row.role) {
    case kRolePanel:
      return kKindPanel | ((row.style & kStyleSunken) ? kKindSunken : 0) | ((row.style & kStyleBorder) ? kKindBorder : 0);
    case kRoleGroupBox:
      return kKindGroupBox;
    case kRolePageControl:
      return kKindPageControl;
    case kRoleTabSheet:
      return kKindTabSheet;
    default:
      return 0;
  }
}

// Controls whose keys the form sees first.
bool IsSubclassed(ControlRole role) {
  switch (role) {
    case kRoleEdit:
    case kRoleButton:
    case kRoleSpeedButton:
    case kRoleCheckBox:
    case kRoleRadioButton:
    case kRoleComboBox:
    case kRoleListView:
    case kRoleDateTimePicker:
      return true;
    default:
      return false;
  }
}

// What a control of a role needs after it was made.
void FillRow(HWND hwnd, const ControlDescription& row) {
  switch (row.role) {
    case kRoleEdit:
      if (row.maxLength > 0) SendMessageA(hwnd, EM_LIMITTEXT, row.maxLength, 0);
      break;
    case kRoleComboBox:
      for (int i = 0; i < row.partCount; ++i) SendMessageA(hwnd, CB_ADDSTRING, 0, (LPARAM)row.parts[i].text);
      break;
    case kRoleListView:
      SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
      for (int c = 0; c < row.partCount; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = (char*)(row.parts[c].text ? row.parts[c].text : "");
        column.cx = TheApplication.Scale(row.parts[c].width);
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, c, (LPARAM)&column);
      }
      break;
    case kRoleStatusBar: {
      std::vector<int> edges;
      int edge = 0;
      for (int c = 0; c < row.partCount; ++c) {
        edge += TheApplication.Scale(row.parts[c].width);
        edges.push_back(edge);
      }
      if (!edges.empty()) SendMessageA(hwnd, SB_SETPARTS, edges.size(), (LPARAM)edges.data());
      for (int c = 0; c < row.partCount; ++c) {
        SendMessageA(hwnd, SB_SETTEXTA, c, (LPARAM)(row.parts[c].text ? row.parts[c].text : ""));
      }
      break;
    }
    case kRoleProgressBar:
      SendMessageA(hwnd, PBM_SETRANGE32, 0, 100);
      break;
    case kRoleUpDown:
      SendMessageA(hwnd, UDM_SETRANGE32, 0, 100);
      break;
    default:
      break;
  }
}

}  // namespace

HFONT Form::RowFont(const ControlDescription* row) const {
  bool bold = row && (row->style & kStyleBold);
  return TheApplication.GetFont(description_.fontName, description_.fontSize, description_.fontCharset, bold);
}

HWND Form::ParentWindow(const ControlDescription& row) const {
  return row.parent == kFormItself ? hwnd_ : handles_[row.parent];
}

// A radio button starts a group unless the row before it on the same
// parent is a radio button of its group; every other control starts one.
bool Form::StartsRadioGroup(const ControlDescription& row) const {
  if (row.role != kRoleRadioButton) return true;
  for (int before = rowOfId_[row.id] - 1; before >= 0; --before) {
    const ControlDescription& other = description_.controls[before];
    if (other.parent != row.parent || IsMenuRole(other.role)) continue;
    return !SameRadioGroup(row.id, other.id);
  }
  return true;
}

void Form::CreateRows() {
  for (int i = 0; i < description_.controlCount; ++i) {
    const ControlDescription& row = description_.controls[i];
    if (IsMenuRole(row.role)) {
      CreateMenuRow(row);
      continue;
    }
    handles_[row.id] = CreateRow(row);
    if (!handles_[row.id]) throw Exception(std::string("Cannot create ") + ControlName(row.id));
  }
  // A bevel is only a frame drawn around other rows: below all its
  // siblings it never clips away a field it surrounds, whatever the order
  // of the table. It takes no focus, so the tab order stays.
  for (int i = 0; i < description_.controlCount; ++i) {
    const ControlDescription& row = description_.controls[i];
    if (row.role == kRoleBevel) {
      SetWindowPos(handles_[row.id], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void Form::CreateMenuRow(const ControlDescription& row) {
  if (row.role == kRolePopupMenu) {
    menus_[row.id] = CreatePopupMenu();
    return;
  }
  HMENU menu = menus_[row.parent];
  if (!menu) throw Exception(std::string("No menu for ") + ControlName(row.id));
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_TYPE;
  info.wID = kFirstRowId + row.id;
  bool separator = row.caption && strcmp(row.caption, "-") == 0;
  info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
  info.dwTypeData = (char*)(row.caption ? row.caption : "");
  bool hasItems = false;
  for (int i = rowOfId_[row.id] + 1; i < description_.controlCount; ++i) {
    hasItems = hasItems || description_.controls[i].parent == row.id;
  }
  if (!separator && hasItems) {
    menus_[row.id] = CreatePopupMenu();
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = menus_[row.id];
  }
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

HWND Form::CreateRow(const ControlDescription& row) {
  HWND parent = ParentWindow(row);
  int left = TheApplication.Scale(row.left);
  int top = TheApplication.Scale(row.top);
  int width = TheApplication.Scale(row.width);
  int height = TheApplication.Scale(row.height);
  int id = kFirstRowId + row.id;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!(row.style & kStyleHidden)) style |= WS_VISIBLE;
  if (row.style & kStyleDisabled) style |= WS_DISABLED;
  if (StartsRadioGroup(row)) style |= WS_GROUP;

  HWND hwnd;
  if (int kind = ContainerKindOf(row)) {
    hwnd = CreateContainer(kind, row.caption, style, left, top, width, height, parent, id, this);
  } else {
    const char* windowClass = nullptr;
    DWORD exStyle = 0;
    SystemClassOf(row, windowClass, style, exStyle);
    if (row.role == kRoleComboBox) height += TheApplication.Scale(200);  // room for the dropped-down list
    hwnd = CreateWindowExA(exStyle, windowClass, row.caption, style, left, top, width, height, parent,
                           (HMENU)(INT_PTR)id, TheApplication.Instance(), nullptr);
  }
  if (!hwnd) return nullptr;
  SendMessageA(hwnd, WM_SETFONT, (WPARAM)RowFont(&row), FALSE);
  FillRow(hwnd, row);
  if (IsSubclassed(row.role)) {
    SubclassControl(hwnd, this);
    // An editable combo box types into an edit of its own.
    if (row.role == kRoleComboBox && !(row.style & kStyleDropDownList)) {
      if (HWND edit = FindWindowExA(hwnd, nullptr, WC_EDITA, nullptr)) SubclassControl(edit, this);
    }
  }
  return hwnd;
}
