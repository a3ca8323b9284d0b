#include "win/form.h"

#include <commctrl.h>

#include <cstring>

#include "win/application.h"

namespace {

const char kContainerClass[] = "TwContainer";

// Extra bytes of a container window.
enum {
  kSlotKind = 0,
  kSlotPageIndex = sizeof(LONG_PTR),
  kSlotColor = 2 * sizeof(LONG_PTR),
  kSlotFont = 3 * sizeof(LONG_PTR),
  kContainerExtraBytes = 4 * sizeof(LONG_PTR),
};

// Container kinds, with the sunken frame as a flag.
enum { kKindPanel = 1, kKindGroupBox = 2, kKindPageControl = 3, kKindTabSheet = 4, kKindSunken = 0x100 };

LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ContainerWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

unsigned ShiftFromKeys() {
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kShiftCtrl;
  return shift;
}

unsigned ShiftFromMouse(WPARAM keys) {
  unsigned shift = 0;
  if (keys & MK_SHIFT) shift |= kShiftKey;
  if (keys & MK_CONTROL) shift |= kShiftCtrl;
  if (keys & MK_LBUTTON) shift |= kShiftLeft;
  if (keys & MK_RBUTTON) shift |= kShiftRight;
  if (keys & MK_MBUTTON) shift |= kShiftMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
  return shift;
}

int ContainerKind(HWND container) { return (int)GetWindowLongPtrA(container, kSlotKind) & 0xFF; }

// Places the sheets of a page control over the tab strip's display area and
// shows only the sheet of the selected tab.
void LayoutPages(HWND pageControl) {
  HWND tabs = FindWindowExA(pageControl, nullptr, WC_TABCONTROLA, nullptr);
  if (!tabs) return;
  RECT client;
  GetClientRect(pageControl, &client);
  // The tab strip lies beneath the sheets, which cover its display area.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
  RECT display = client;
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&display);
  int selected = (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
  for (HWND child = GetWindow(pageControl, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == tabs || ContainerKind(child) != kKindTabSheet) continue;
    int index = (int)GetWindowLongPtrA(child, kSlotPageIndex);
    // The order of the siblings stays as it is, which keeps this walk finite.
    SetWindowPos(child, nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (index == selected ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
}

void PaintContainer(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT rect;
  GetClientRect(hwnd, &rect);
  LONG_PTR kind = GetWindowLongPtrA(hwnd, kSlotKind);
  COLORREF color = (COLORREF)GetWindowLongPtrA(hwnd, kSlotColor);
  HBRUSH brush = color == CLR_INVALID ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  if (color != CLR_INVALID) DeleteObject(brush);
  if ((kind & 0xFF) == kKindGroupBox) {
    HFONT font = (HFONT)GetWindowLongPtrA(hwnd, kSlotFont);
    HGDIOBJ before = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT frame = rect;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    char text[260];
    int length = GetWindowTextA(hwnd, text, sizeof text);
    if (length > 0) {
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      SetBkMode(dc, OPAQUE);
      TextOutA(dc, 8, 0, text, length);
    }
    SelectObject(dc, before);
  } else if (kind & kKindSunken) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
  EndPaint(hwnd, &paint);
}

// What a container answers itself; everything else that concerns the form
// (commands, notifications, owner drawing) goes on to the form.
bool HandleContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      PaintContainer(hwnd);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SETFONT:
      SetWindowLongPtrA(hwnd, kSlotFont, (LONG_PTR)wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case WM_GETFONT:
      result = GetWindowLongPtrA(hwnd, kSlotFont);
      return true;
    case WM_SETTEXT:
      result = DefWindowProcA(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      if (ContainerKind(hwnd) == kKindTabSheet) {
        SendMessageA(GetParent(hwnd), kMsgSheetText, GetWindowLongPtrA(hwnd, kSlotPageIndex), lParam);
      }
      return true;
    case WM_SIZE:
      if (ContainerKind(hwnd) == kKindPageControl) LayoutPages(hwnd);
      return false;
    case kMsgShowPage: {
      HWND tabs = FindWindowExA(hwnd, nullptr, WC_TABCONTROLA, nullptr);
      SendMessageA(tabs, TCM_SETCURSEL, wParam, 0);
      LayoutPages(hwnd);
      return true;
    }
    case kMsgPageIndex:
      result = SendMessageA(FindWindowExA(hwnd, nullptr, WC_TABCONTROLA, nullptr), TCM_GETCURSEL, 0, 0);
      return true;
    case kMsgSheetText: {
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = (char*)lParam;
      SendMessageA(FindWindowExA(hwnd, nullptr, WC_TABCONTROLA, nullptr), TCM_SETITEMA, wParam, (LPARAM)&item);
      return true;
    }
    case kMsgSetColor:
      SetWindowLongPtrA(hwnd, kSlotColor, (LONG_PTR)lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case kMsgGetColor:
      result = GetWindowLongPtrA(hwnd, kSlotColor);
      return true;
  }
  return false;
}

// Hands a message to the form kept in the window's user data; false when
// there is no form yet or the form leaves the message to the system.
bool FormHandles(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Form* form = (Form*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  if (!form) return false;
  bool handled = false;
  result = form->HandleMessage(hwnd, message, wParam, lParam, handled);
  return handled;
}

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
  }
  // A C++ exception must never unwind through the system's frames.
  try {
    LRESULT result = 0;
    if (FormHandles(hwnd, message, wParam, lParam, result)) return result;
  } catch (...) {
    TheApplication.ShowCurrentException();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ContainerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, kSlotColor, (LONG_PTR)CLR_INVALID);
  }
  try {
    LRESULT result = 0;
    if (HandleContainerMessage(hwnd, message, wParam, lParam, result)) return result;
    if (FormHandles(hwnd, message, wParam, lParam, result)) return result;
  } catch (...) {
    TheApplication.ShowCurrentException();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Controls of the system classes are subclassed so that their keys reach
// the form first; the class's own procedure does the rest.
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = (WNDPROC)GetClassLongPtrA(hwnd, GCLP_WNDPROC);
  Form* form = (Form*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  if (form) {
    try {
      bool handled = false;
      LRESULT result = form->HandleMessage(hwnd, message, wParam, lParam, handled);
      if (handled) return result;
      if (message == WM_GETDLGCODE) {
        // Enter and Escape stay with an edit field (its KeyPress sees them).
        LRESULT code = CallWindowProcA(original, hwnd, message, wParam, lParam);
        const MSG* pending = (const MSG*)lParam;
        if (pending && pending->message == WM_KEYDOWN &&
            (pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE) && (code & DLGC_HASSETSEL)) {
          code |= DLGC_WANTMESSAGE;
        }
        return code;
      }
    } catch (...) {
      TheApplication.ShowCurrentException();
      return 0;
    }
  }
  return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

void Subclass(HWND control, Form* form) {
  SetWindowLongPtrA(control, GWLP_USERDATA, (LONG_PTR)form);
  SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)ControlWindowProc);
}

bool HasChildren(const FormDescription& description, int index) {
  const char* name = description.controls[index].name;
  for (int i = index + 1; i < description.controlCount; ++i) {
    const char* parent = description.controls[i].parent;
    if (parent && strcmp(parent, name) == 0) return true;
  }
  return false;
}

}  // namespace

bool RegisterContainerClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, kContainerClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ContainerWindowProc;
  wc.cbWndExtra = kContainerExtraBytes;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kContainerClass;
  return RegisterClassExA(&wc) != 0;
}

Form::Form(const FormDescription& description) : description_(description) {}

Form::~Form() { Destroy(); }

Form* Form::FromWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (!root || (WNDPROC)GetClassLongPtrA(root, GCLP_WNDPROC) != FormWindowProc) return nullptr;
  return (Form*)GetWindowLongPtrA(root, GWLP_USERDATA);
}

void Form::Create() {
  if (hwnd_) return;
  HINSTANCE instance = TheApplication.Instance();
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(instance, description_.className, &wc)) {
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FormWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(INT_PTR)(description_.backgroundColor + 1);
    wc.lpszClassName = description_.className;
    if (!RegisterClassExA(&wc)) throw Exception(std::string("Cannot register ") + description_.className);
  }

  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (!(description_.flags & kFormNoSystemMenu) && description_.border != kBorderToolWindow) style |= WS_SYSMENU;
  if (description_.border == kBorderDialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (description_.border == kBorderToolWindow) exStyle |= WS_EX_TOOLWINDOW;
  if (description_.flags & kFormStayOnTop) exStyle |= WS_EX_TOPMOST;
  RECT rect = {0, 0, TheApplication.Scale(description_.clientWidth), TheApplication.Scale(description_.clientHeight)};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  Form* main = TheApplication.MainForm();
  HWND owner = main && main != this ? main->Handle() : nullptr;
  hwnd_ = CreateWindowExA(exStyle, description_.className, description_.caption, style,
                          description_.left, description_.top, rect.right - rect.left,
                          rect.bottom - rect.top, owner, nullptr, instance, this);
  if (!hwnd_) throw Exception(std::string("Cannot create ") + description_.name);
  SendMessageA(hwnd_, WM_SETFONT, (WPARAM)RowFont(-1), FALSE);

  toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, instance, nullptr);
  CreateRows();
  Raise(kEventCreate, kFormItself);
}

void Form::Destroy() {
  if (!hwnd_) return;
  destroying_ = true;
  for (int i = 0; i < description_.controlCount; ++i) {
    if (description_.controls[i].role == kRolePopupMenu && menus_[i]) DestroyMenu(menus_[i]);
  }
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  toolTip_ = nullptr;
  handles_.clear();
  menus_.clear();
  hints_.clear();
}

HFONT Form::RowFont(int index) const {
  bool bold = index >= 0 && (description_.controls[index].style & kStyleBold);
  return TheApplication.GetFont(description_.fontName, description_.fontSize, description_.fontCharset, bold);
}

int Form::ControlIndex(const char* name) const {
  for (int i = 0; i < description_.controlCount; ++i) {
    if (strcmp(description_.controls[i].name, name) == 0) return i;
  }
  return -1;
}

Control Form::FindControl(const char* name) const {
  int index = ControlIndex(name);
  return index < 0 || index >= (int)handles_.size() ? Control() : Control(handles_[index]);
}

PopupMenu Form::FindPopupMenu(const char* name) const {
  int index = ControlIndex(name);
  if (index < 0 || index >= (int)menus_.size() || description_.controls[index].role != kRolePopupMenu) return PopupMenu();
  return PopupMenu(menus_[index], hwnd_);
}

MenuItem Form::FindMenuItem(const char* name) const {
  int index = ControlIndex(name);
  if (index < 0 || index >= (int)menus_.size() || description_.controls[index].role != kRoleMenuItem) return MenuItem();
  int parent = ControlIndex(description_.controls[index].parent);
  HMENU menu = menus_[parent];
  if (!menus_[index]) return MenuItem(menu, kFirstRowId + index, MF_BYCOMMAND);
  // An item that opens a submenu is found by its position.
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (GetSubMenu(menu, position) == menus_[index]) return MenuItem(menu, position, MF_BYPOSITION);
  }
  return MenuItem();
}

int Form::ClientWidth() const {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  return rect.right;
}

int Form::ClientHeight() const {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  return rect.bottom;
}

void Form::Show() { ShowWindow(hwnd_, SW_SHOW); }

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Form::Close() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

int Form::ShowModal() {
  // Every other enabled form is disabled while this one runs.
  std::vector<HWND> disabled;
  for (int i = 0; i < TheApplication.FormCount(); ++i) {
    HWND other = TheApplication.FormAt(i)->Handle();
    if (other != hwnd_ && IsWindowEnabled(other)) {
      EnableWindow(other, FALSE);
      disabled.push_back(other);
    }
  }
  modal_ = true;
  modalResult_ = kModalNone;
  Show();
  SetForegroundWindow(hwnd_);
  RunModalLoop();
  int result = modalResult_ == kModalNone ? kModalCancel : modalResult_;
  for (HWND other : disabled) EnableWindow(other, TRUE);
  Hide();
  modal_ = false;
  return result;
}

void Form::RunModalLoop() {
  while (modalResult_ == kModalNone) {
    if (!TheApplication.ProcessMessage()) break;
  }
}

void Form::SetHint(const Control& control, const char* text) {
  bool known = hints_.count(control.Handle()) != 0;
  hints_[control.Handle()] = text;
  if (known || !toolTip_) return;
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = (UINT_PTR)control.Handle();
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  SendMessageA(toolTip_, TTM_ADDTOOLA, 0, (LPARAM)&tool);
}

std::string Form::Hint(const Control& control) const {
  auto it = hints_.find(control.Handle());
  return it == hints_.end() ? "" : it->second;
}

FormEvent Form::Raise(EventKind kind, int control) {
  FormEvent event = {};
  event.kind = kind;
  event.control = control;
  event.allow = true;
  return Raise(event);
}

FormEvent Form::Raise(FormEvent event) {
  OnEvent(event);
  return event;
}

HWND Form::ParentWindow(int index) const {
  const char* parent = description_.controls[index].parent;
  if (!parent) return hwnd_;
  for (int i = 0; i < index; ++i) {
    if (strcmp(description_.controls[i].name, parent) == 0 && handles_[i]) return handles_[i];
  }
  throw Exception(std::string("No container ") + parent + " for " + description_.controls[index].name);
}

void Form::CreateRows() {
  handles_.assign(description_.controlCount, nullptr);
  menus_.assign(description_.controlCount, nullptr);
  for (int i = 0; i < description_.controlCount; ++i) {
    const ControlDescription& row = description_.controls[i];
    if (row.role == kRolePopupMenu || row.role == kRoleMenuItem) {
      CreateMenuRow(i);
      continue;
    }
    handles_[i] = CreateRow(i, ParentWindow(i), TheApplication.Scale(row.left), TheApplication.Scale(row.top));
    if (!handles_[i]) throw Exception(std::string("Cannot create ") + row.name);
  }
}

void Form::CreateMenuRow(int index) {
  const ControlDescription& row = description_.controls[index];
  if (row.role == kRolePopupMenu) {
    menus_[index] = CreatePopupMenu();
    return;
  }
  int parent = row.parent ? ControlIndex(row.parent) : -1;
  if (parent < 0 || parent >= index || !menus_[parent]) {
    throw Exception(std::string("No menu for ") + row.name);
  }
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_TYPE;
  info.wID = kFirstRowId + index;
  bool separator = row.caption && strcmp(row.caption, "-") == 0;
  info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
  info.dwTypeData = (char*)(row.caption ? row.caption : "");
  if (!separator && HasChildren(description_, index)) {
    menus_[index] = CreatePopupMenu();
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = menus_[index];
  }
  HMENU menu = menus_[parent];
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

HWND Form::CreateRow(int index, HWND parent, int left, int top) {
  const ControlDescription& row = description_.controls[index];
  HINSTANCE instance = TheApplication.Instance();
  int width = TheApplication.Scale(row.width);
  int height = TheApplication.Scale(row.height);
  const char* windowClass = nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  int containerKind = 0;
  bool subclass = true;
  if (!(row.style & kStyleHidden)) style |= WS_VISIBLE;
  if (row.style & kStyleDisabled) style |= WS_DISABLED;
  // Radio buttons form one group per parent: the first of a run starts it.
  bool previousIsRadio = index > 0 && description_.controls[index - 1].role == kRoleRadioButton &&
                         description_.controls[index - 1].parent == row.parent;
  if (row.role != kRoleRadioButton || !previousIsRadio) style |= WS_GROUP;

  switch (row.role) {
    case kRoleLabel:
    case kRoleStaticText:
      windowClass = WC_STATICA;
      style |= SS_NOTIFY | ((row.style & kStyleCenter) ? SS_CENTER : (row.style & kStyleRight) ? SS_RIGHT : SS_LEFT);
      if (row.style & kStyleSunken) style |= SS_SUNKEN;
      subclass = false;
      break;
    case kRoleEdit:
      windowClass = WC_EDITA;
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      if (row.style & kStyleReadOnly) style |= ES_READONLY;
      if (row.style & kStylePassword) style |= ES_PASSWORD;
      if (!(row.style & kStyleNoBorder)) exStyle |= WS_EX_CLIENTEDGE;
      break;
    case kRoleButton:
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case kRoleSpeedButton:
      windowClass = WC_BUTTONA;
      style |= BS_PUSHBUTTON | BS_FLAT;
      break;
    case kRoleCheckBox:
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case kRoleRadioButton:
      windowClass = WC_BUTTONA;
      style |= WS_TABSTOP | BS_AUTORADIOBUTTON;
      break;
    case kRoleComboBox:
      windowClass = WC_COMBOBOXA;
      style |= WS_TABSTOP | WS_VSCROLL | ((row.style & kStyleDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
      if (row.style & kStyleOwnerDraw) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      height += TheApplication.Scale(200);  // room for the dropped-down list
      break;
    case kRoleBevel:
      windowClass = WC_STATICA;
      style |= SS_ETCHEDFRAME;
      subclass = false;
      break;
    case kRoleImage:
      windowClass = WC_STATICA;
      style |= SS_BITMAP;
      subclass = false;
      break;
    case kRoleListView:
      windowClass = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case kRoleStatusBar:
      windowClass = STATUSCLASSNAMEA;
      style |= CCS_BOTTOM;
      subclass = false;
      break;
    case kRoleProgressBar:
      windowClass = PROGRESS_CLASSA;
      if (row.style & kStyleSmooth) style |= PBS_SMOOTH;
      subclass = false;
      break;
    case kRoleUpDown:
      windowClass = UPDOWN_CLASSA;
      style |= UDS_ARROWKEYS;
      subclass = false;
      break;
    case kRoleDateTimePicker:
      windowClass = DATETIMEPICK_CLASSA;
      style |= WS_TABSTOP | DTS_UPDOWN | ((row.style & kStyleTimeKind) ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT);
      break;
    case kRolePanel:
      containerKind = kKindPanel | ((row.style & kStyleSunken) ? kKindSunken : 0);
      break;
    case kRoleGroupBox:
      containerKind = kKindGroupBox;
      break;
    case kRolePageControl:
      containerKind = kKindPageControl;
      break;
    case kRoleTabSheet:
      containerKind = kKindTabSheet;
      style &= ~WS_VISIBLE;  // the page control shows the selected sheet
      break;
    case kRolePopupMenu:
    case kRoleMenuItem:
      return nullptr;
  }

  HWND hwnd;
  if (containerKind) {
    hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, row.caption, style, left, top, width,
                           height, parent, (HMENU)(INT_PTR)(kFirstRowId + index), instance, this);
    if (!hwnd) return nullptr;
    SetWindowLongPtrA(hwnd, kSlotKind, containerKind);
  } else {
    hwnd = CreateWindowExA(exStyle, windowClass, row.caption, style, left, top, width, height, parent,
                           (HMENU)(INT_PTR)(kFirstRowId + index), instance, nullptr);
    if (!hwnd) return nullptr;
  }
  SendMessageA(hwnd, WM_SETFONT, (WPARAM)RowFont(index), FALSE);

  switch (row.role) {
    case kRoleEdit:
      if (row.maxLength > 0) SendMessageA(hwnd, EM_LIMITTEXT, row.maxLength, 0);
      break;
    case kRolePageControl: {
      HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, width,
                                  height, hwnd, nullptr, instance, nullptr);
      SendMessageA(tabs, WM_SETFONT, (WPARAM)RowFont(index), FALSE);
      break;
    }
    case kRoleTabSheet: {
      HWND tabs = FindWindowExA(parent, nullptr, WC_TABCONTROLA, nullptr);
      if (!tabs) throw Exception(std::string("Tab sheet outside a page control: ") + row.name);
      int page = (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = (char*)(row.caption ? row.caption : "");
      SendMessageA(tabs, TCM_INSERTITEMA, page, (LPARAM)&item);
      SetWindowLongPtrA(hwnd, kSlotPageIndex, page);
      LayoutPages(parent);
      break;
    }
    case kRoleListView:
      SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
      for (int c = 0; c < row.columnCount; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = (char*)row.columns[c].caption;
        column.cx = TheApplication.Scale(row.columns[c].width);
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, c, (LPARAM)&column);
      }
      break;
    case kRoleStatusBar: {
      std::vector<int> edges;
      int edge = 0;
      for (int c = 0; c < row.columnCount; ++c) {
        edge += TheApplication.Scale(row.columns[c].width);
        edges.push_back(edge);
      }
      if (!edges.empty()) SendMessageA(hwnd, SB_SETPARTS, edges.size(), (LPARAM)edges.data());
      for (int c = 0; c < row.columnCount; ++c) {
        SendMessageA(hwnd, SB_SETTEXTA, c, (LPARAM)(row.columns[c].caption ? row.columns[c].caption : ""));
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

  if (subclass && !containerKind) {
    Subclass(hwnd, this);
    // An editable combo box types into an edit of its own.
    if (row.role == kRoleComboBox && !(row.style & kStyleDropDownList)) {
      if (HWND edit = FindWindowExA(hwnd, nullptr, WC_EDITA, nullptr)) Subclass(edit, this);
    }
  }
  return hwnd;
}

int Form::RowOfWindow(HWND window) const {
  for (int step = 0; step < 2 && window; ++step) {
    int index = GetDlgCtrlID(window) - kFirstRowId;
    if (index >= 0 && index < (int)handles_.size() && handles_[index] == window) return index;
    window = GetParent(window);  // a combo box's edit, a page control's tab strip
  }
  return -1;
}

bool Form::HandleKeyMessage(int control, UINT message, WPARAM& wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    FormEvent event = {};
    event.kind = kEventKeyDown;
    event.key = (WORD)wParam;
    event.shift = ShiftFromKeys();
    event.allow = true;
    if (control != kFormItself && (description_.flags & kFormKeyPreview)) {
      event.control = kFormItself;
      event = Raise(event);
      if (event.key == 0) return false;
    }
    event.control = control;
    event = Raise(event);
    wParam = event.key;
    return event.key != 0;
  }
  // WM_CHAR
  FormEvent event = {};
  event.kind = kEventKeyPress;
  event.control = control;
  event.keyChar = (char)wParam;
  event.allow = true;
  event = Raise(event);
  wParam = (unsigned char)event.keyChar;
  return event.keyChar != 0;
}

LRESULT Form::HandleCommand(WPARAM wParam, LPARAM lParam) {
  int index = LOWORD(wParam) - kFirstRowId;
  if (index < 0 || index >= description_.controlCount) return 0;
  const ControlDescription& row = description_.controls[index];
  int code = HIWORD(wParam);
  if (lParam == 0) {
    if (row.role == kRoleMenuItem && code == 0) Raise(kEventClick, index);
    return 0;
  }
  switch (row.role) {
    case kRoleButton:
    case kRoleSpeedButton:
    case kRoleCheckBox:
    case kRoleRadioButton:
      if (code == BN_CLICKED) {
        Raise(kEventClick, index);
        if (row.modalResult != kModalNone) modalResult_ = row.modalResult;
      }
      break;
    case kRoleLabel:
    case kRoleStaticText:
      if (code == STN_CLICKED) Raise(kEventClick, index);
      break;
    case kRoleEdit:
      if (code == EN_CHANGE) Raise(kEventChange, index);
      if (code == EN_KILLFOCUS) Raise(kEventExit, index);
      break;
    case kRoleComboBox:
      if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) Raise(kEventChange, index);
      if (code == CBN_KILLFOCUS) Raise(kEventExit, index);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT Form::HandleNotify(NMHDR* header) {
  if (header->hwndFrom == toolTip_ && header->code == TTN_GETDISPINFOA) {
    NMTTDISPINFOA* info = (NMTTDISPINFOA*)header;
    auto it = hints_.find((HWND)header->idFrom);
    info->lpszText = it == hints_.end() ? (char*)"" : (char*)it->second.c_str();
    return 0;
  }
  int index = RowOfWindow(header->hwndFrom);
  if (index < 0) return 0;
  switch (description_.controls[index].role) {
    case kRolePageControl:
      if (header->code == TCN_SELCHANGING) return Raise(kEventChanging, index).allow ? FALSE : TRUE;
      if (header->code == TCN_SELCHANGE) {
        LayoutPages(handles_[index]);
        Raise(kEventChange, index);
      }
      break;
    case kRoleListView:
      if (header->code == LVN_ITEMCHANGED) {
        NMLISTVIEW* change = (NMLISTVIEW*)header;
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
          FormEvent event = {};
          event.kind = kEventSelectItem;
          event.control = index;
          event.item = change->iItem;
          event.selected = (change->uNewState & LVIS_SELECTED) != 0;
          event.allow = true;
          Raise(event);
        }
      } else if (header->code == NM_CLICK) {
        Raise(kEventClick, index);
      }
      break;
    case kRoleUpDown:
      if (header->code == UDN_DELTAPOS) {
        FormEvent event = {};
        event.kind = kEventUpDownClick;
        event.control = index;
        event.upButton = ((NMUPDOWN*)header)->iDelta > 0;
        event.allow = true;
        Raise(event);
      }
      break;
    case kRoleDateTimePicker:
      if (header->code == DTN_DATETIMECHANGE) Raise(kEventChange, index);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  if (window != hwnd_ && GetParent(window) && (WNDPROC)GetWindowLongPtrA(window, GWLP_WNDPROC) == ControlWindowProc) {
    // A subclassed control: only its keys are the form's business.
    handled = false;
    if (message == WM_KEYDOWN || message == WM_CHAR) {
      WPARAM key = wParam;
      if (!HandleKeyMessage(RowOfWindow(window), message, key, lParam)) {
        handled = true;
        return 0;
      }
      if (key != wParam) {
        handled = true;
        WNDPROC original = (WNDPROC)GetClassLongPtrA(window, GCLP_WNDPROC);
        return CallWindowProcA(original, window, message, key, lParam);
      }
    }
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      return HandleCommand(wParam, lParam);
    case WM_NOTIFY:
      return HandleNotify((NMHDR*)lParam);
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* draw = (const DRAWITEMSTRUCT*)lParam;
      FormEvent event = {};
      event.kind = kEventDrawItem;
      event.control = RowOfWindow(draw->hwndItem);
      event.item = (int)draw->itemID;
      event.draw = draw;
      event.allow = true;
      if (event.control >= 0) Raise(event);
      return TRUE;
    }
    case WM_MEASUREITEM: {
      MEASUREITEMSTRUCT* measure = (MEASUREITEMSTRUCT*)lParam;
      int index = (int)measure->CtlID - kFirstRowId;
      if (index >= 0 && index < description_.controlCount && description_.controls[index].maxLength > 0) {
        measure->itemHeight = TheApplication.Scale(description_.controls[index].maxLength);
      }
      return TRUE;
    }
  }
  if (window != hwnd_) {
    // A container passes on only what concerns the form (above).
    handled = false;
    if (message == WM_LBUTTONUP) {
      int index = RowOfWindow(window);
      if (index >= 0 && description_.controls[index].role == kRolePanel) {
        Raise(kEventClick, index);
        handled = true;
      }
    }
    return 0;
  }
  switch (message) {
    case WM_CLOSE: {
      if (!Raise(kEventCloseQuery, kFormItself).allow) return 0;
      if (modal_) {
        modalResult_ = kModalCancel;
      } else if (TheApplication.MainForm() == this) {
        PostQuitMessage(0);
      } else {
        Hide();
      }
      return 0;
    }
    case WM_SHOWWINDOW:
      if (!destroying_ && lParam == 0) Raise(wParam ? kEventShow : kEventHide, kFormItself);
      handled = false;
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd_, &paint);
      Raise(kEventPaint, kFormItself);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_CHAR: {
      WPARAM key = wParam;
      HandleKeyMessage(kFormItself, message, key, lParam);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE: {
      FormEvent event = {};
      event.control = kFormItself;
      event.kind = message == WM_MOUSEMOVE ? kEventMouseMove
                   : (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
                       ? kEventMouseDown
                       : kEventMouseUp;
      event.button = (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)   ? kMouseRight
                     : (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) ? kMouseMiddle
                                                                               : kMouseLeft;
      event.shift = ShiftFromMouse(wParam);
      event.x = (short)LOWORD(lParam);
      event.y = (short)HIWORD(lParam);
      event.allow = true;
      Raise(event);
      return 0;
    }
    case WM_SIZE:
      for (int i = 0; i < (int)handles_.size(); ++i) {
        if (description_.controls[i].role == kRoleStatusBar) SendMessageA(handles_[i], WM_SIZE, 0, 0);
      }
      handled = false;
      return 0;
  }
  handled = false;
  return 0;
}
