// A form's life cycle, its rows by name, showing (modal or not), hints and
// radio groups. Rows are created in form_rows.cpp, messages handled in
// form_messages.cpp, languages applied in form_localize.cpp.
#include "win/form.h"

#include <commctrl.h>

#include <cstring>

#include "win/application.h"
#include "win/desktop_place.h"
#include "win/window_procs.h"

namespace {

void RegisterFormClass(const FormDescription& description, HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, description.className, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FormWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(INT_PTR)(description.backgroundColor + 1);
  wc.lpszClassName = description.className;
  if (!RegisterClassExA(&wc)) throw Exception(std::string("Cannot register ") + description.className);
}

}  // namespace

Form::Form(const FormDescription& description) : description_(description) {}

Form::~Form() { Destroy(); }

// A form is told by the procedure its window class was registered with.
Form* Form::FromWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (!root || (WNDPROC)GetClassLongPtrA(root, GCLP_WNDPROC) != FormWindowProc) return nullptr;
  return (Form*)GetWindowLongPtrA(root, GWLP_USERDATA);
}

void Form::Create() {
  if (hwnd_) return;
  std::string fault = CheckFormDescription(description_);
  if (!fault.empty()) throw Exception(fault);
  // Each name's row is looked up once, here.
  rowOfId_.assign(description_.nameCount, -1);
  for (int row = 0; row < description_.controlCount; ++row) rowOfId_[description_.controls[row].id] = row;
  handles_.assign(description_.nameCount, nullptr);
  menus_.assign(description_.nameCount, nullptr);

  HINSTANCE instance = TheApplication.Instance();
  RegisterFormClass(description_, instance);
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
  SendMessageA(hwnd_, WM_SETFONT, (WPARAM)RowFont(nullptr), FALSE);

  toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, instance, nullptr);
  CreateRows();
  Raise(kEventCreate, kFormItself);
}

void Form::Destroy() {
  if (!hwnd_) return;
  destroying_ = true;
  for (int row = 0; row < description_.controlCount; ++row) {
    const ControlDescription& c = description_.controls[row];
    if (c.role == kRolePopupMenu && menus_[c.id]) DestroyMenu(menus_[c.id]);
  }
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  toolTip_ = nullptr;
  rowOfId_.clear();
  handles_.clear();
  menus_.clear();
  hints_.clear();
}

bool Form::IsWindowRow(int id) const { return id >= 0 && id < (int)handles_.size() && handles_[id]; }

Control Form::ControlAt(int id) const { return IsWindowRow(id) ? Control(handles_[id]) : Control(); }

PopupMenu Form::PopupMenuAt(int id) const {
  if (id < 0 || id >= (int)menus_.size() || Row(id).role != kRolePopupMenu) return PopupMenu();
  return PopupMenu(menus_[id], hwnd_);
}

PopupMenuItem Form::MenuItemAt(int id) const {
  if (id < 0 || id >= (int)menus_.size() || Row(id).role != kRoleMenuItem) return PopupMenuItem();
  HMENU menu = menus_[Row(id).parent];
  if (!menus_[id]) return PopupMenuItem(menu, kFirstRowId + id, MF_BYCOMMAND);
  // An item that opens a submenu is found by its position.
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (GetSubMenu(menu, position) == menus_[id]) return PopupMenuItem(menu, position, MF_BYPOSITION);
  }
  return PopupMenuItem();
}

const char* Form::ControlName(int id) const {
  if (id == kFormItself) return description_.name;
  return id >= 0 && id < description_.nameCount ? description_.names[id] : "";
}

int Form::ControlId(const char* name) const {
  for (int id = 0; id < description_.nameCount; ++id) {
    if (strcmp(description_.names[id], name) == 0) return id;
  }
  return -1;
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

void Form::KeepOnDesktop() {
  DesktopArea desktop = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT work;
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    desktop.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    desktop.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    desktop.right = desktop.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    desktop.bottom = desktop.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  } else if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    desktop = DesktopArea{work.left, work.top, work.right, work.bottom};
  }
  // The title bar: from the window's top edge down to its client area, at
  // least a caption's height.
  POINT client = {0, 0};
  ClientToScreen(hwnd_, &client);
  int titleHeight = client.y - Top();
  if (titleHeight < GetSystemMetrics(SM_CYCAPTION)) titleHeight = GetSystemMetrics(SM_CYCAPTION);
  int left = Left(), top = Top();
  KeepTitleBarOnDesktop(desktop, Width(), titleHeight, &left, &top);
  if (left != Left() || top != Top()) SetPosition(left, top);
}

HWND Form::LeaveFocusedControl() {
  HWND focused = GetFocus();
  if (!focused || !IsChild(hwnd_, focused)) return nullptr;
  SetFocus(hwnd_);
  return focused;
}

void Form::RestoreFocus(HWND control) {
  if (control && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control)) SetFocus(control);
}

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
  // The tool tip subclasses the control to see its mouse moves; our own
  // procedures do not mind (see window_procs.h).
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

bool Form::SameRadioGroup(int id, int other) const {
  const ControlDescription& a = Row(id);
  const ControlDescription& b = Row(other);
  if (a.role != kRoleRadioButton || b.role != kRoleRadioButton || a.group != b.group) return false;
  return a.group != 0 || a.parent == b.parent;
}

void Form::SelectRadio(HWND button) {
  int id = RowOfWindow(button);
  if (id < 0 || handles_[id] != button || Row(id).role != kRoleRadioButton) return;
  for (int other = 0; other < (int)handles_.size(); ++other) {
    if (other != id && SameRadioGroup(id, other)) SendMessageA(handles_[other], BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
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
