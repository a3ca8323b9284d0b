#include "tests/win/form_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "win/application.h"

namespace form_driver {

namespace {

MessageBoxAnswerer* g_boxAnswerer = nullptr;
FileDialogAnswerer* g_dialogAnswerer = nullptr;

bool IsComboBox(HWND window) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, WC_COMBOBOXA) == 0;
}

void HoldKeys(BYTE* state, unsigned shift) {
  if (shift & kShiftKey) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  if (shift & kShiftCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
  if (shift & kShiftAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
}

// A mouse button's press (and release) at a client point of a window.
void ClickAt(HWND window, int x, int y, bool doubleClick) {
  LPARAM at = MAKELPARAM(x, y);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(window, WM_LBUTTONUP, 0, at);
  if (doubleClick) {
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
  }
  Pump();
}

void ClickListItem(Form& form, int id, int item, bool doubleClick) {
  ListView list(form.ControlAt(id));
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (!SendMessageA(list, LVM_GETITEMRECT, item, (LPARAM)&rect)) return;
  ClickAt(list, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, doubleClick);
}

}  // namespace

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage((int)message.wParam);  // left for the loop that waits for it
      return;
    }
    TheApplication.Dispatch(message);
  }
}

void Click(Form& form, int id) {
  SendMessageA(form.ControlAt(id), BM_CLICK, 0, 0);
  Pump();
}

void Focus(Form& form, int id) {
  HWND control = form.ControlAt(id);
  // A combo box passes the focus on to its edit: once there, it stays.
  HWND focus = GetFocus();
  if (focus == control || IsChild(control, focus)) return;
  SetFocus(control);
  Pump();
}

void LeaveField(Form& form) {
  HWND focus = GetFocus();
  if (!focus) return;
  if (IsComboBox(GetParent(focus))) focus = GetParent(focus);
  SetFocus(GetNextDlgTabItem(form, focus, FALSE));
  Pump();
}

void PressKey(WORD key, unsigned shift) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  memcpy(state, saved, sizeof state);
  HoldKeys(state, shift);
  SetKeyboardState(state);
  MSG message = {};
  message.hwnd = GetFocus() ? GetFocus() : GetActiveWindow();
  message.message = (shift & kShiftAlt) || key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
  message.wParam = key;
  message.lParam = 1 | ((LPARAM)MapVirtualKeyA(key, 0) << 16) | ((shift & kShiftAlt) ? (1 << 29) : 0);
  message.time = GetTickCount();
  TheApplication.Dispatch(message);
  Pump();
  SetKeyboardState(saved);
}

void Type(const char* text) {
  for (const char* c = text; *c; ++c) {
    SHORT scan = VkKeyScanA(*c);
    if (scan != -1) {
      unsigned shift = ((scan & 0x100) ? kShiftKey : 0) | ((scan & 0x200) ? kShiftCtrl : 0);
      PressKey(LOBYTE(scan), shift);
      continue;
    }
    // A character that no key makes arrives as the character alone.
    MSG message = {};
    message.hwnd = GetFocus();
    message.message = WM_CHAR;
    message.wParam = (unsigned char)*c;
    message.lParam = 1;
    TheApplication.Dispatch(message);
    Pump();
  }
}

void TypeText(Form& form, int id, const char* text) {
  Focus(form, id);
  Type(text);
}

void SelectComboItem(Form& form, int id, int index) {
  Focus(form, id);
  ComboBox combo(form.ControlAt(id));
  combo.SetItemIndex(index);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), (LPARAM)(HWND)combo);
  Pump();
}

void SelectPage(Form& form, int id, int page) {
  HWND tabs = PageControl(form.ControlAt(id)).Tabs();
  RECT rect = {};
  if (!SendMessageA(tabs, TCM_GETITEMRECT, page, (LPARAM)&rect)) return;
  ClickAt(tabs, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, false);
}

void SelectListItem(Form& form, int id, int item) { ClickListItem(form, id, item, false); }

void DoubleClickListItem(Form& form, int id, int item) { ClickListItem(form, id, item, true); }

Watchdog::Watchdog(const char* what, DWORD milliseconds) : what_(what), milliseconds_(milliseconds) {
  done_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
  SetEvent(done_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(done_);
}

DWORD WINAPI Watchdog::Watch(void* self) {
  Watchdog* dog = (Watchdog*)self;
  if (WaitForSingleObject(dog->done_, dog->milliseconds_) == WAIT_OBJECT_0) return 0;
  fprintf(stderr, "HANG: %s did not return within %lu ms\n", dog->what_.c_str(), (unsigned long)dog->milliseconds_);
  fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return 0;
}

MessageBoxAnswerer::MessageBoxAnswerer(int defaultAnswer) : defaultAnswer_(defaultAnswer) {
  before_ = SetMessageBoxHandler(Answer);
  g_boxAnswerer = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  SetMessageBoxHandler(before_);
  g_boxAnswerer = nullptr;
}

int MessageBoxAnswerer::Answer(const MessageBoxRequest& request) {
  MessageBoxAnswerer* self = g_boxAnswerer;
  if (!self) return kIdOk;
  self->boxes_.push_back({request.owner, request.text ? request.text : "", request.caption ? request.caption : "",
                          request.style});
  if (self->answers_.empty()) return self->defaultAnswer_;
  int answer = self->answers_.front();
  self->answers_.erase(self->answers_.begin());
  return answer;
}

FileDialogAnswerer::FileDialogAnswerer() {
  before_ = SetFileDialogHandler(Answer);
  g_dialogAnswerer = this;
}

FileDialogAnswerer::~FileDialogAnswerer() {
  SetFileDialogHandler(before_);
  g_dialogAnswerer = nullptr;
}

bool FileDialogAnswerer::Answer(FileDialogRequest& request) {
  FileDialogAnswerer* self = g_dialogAnswerer;
  if (!self) return false;
  // The filter's pairs are kept joined by '|'.
  std::string filter;
  for (const char* part = request.filter; part && *part; part += strlen(part) + 1) {
    if (!filter.empty()) filter += '|';
    filter += part;
  }
  self->dialogs_.push_back({request.save, request.owner, request.title ? request.title : "", filter,
                            request.initialDir ? request.initialDir : "",
                            request.defaultExt ? request.defaultExt : "", request.flags});
  if (self->paths_.empty()) return false;
  std::string path = self->paths_.front();
  self->paths_.erase(self->paths_.begin());
  if (path.empty() || path.size() >= sizeof request.file) return false;
  strcpy(request.file, path.c_str());
  const char* slash = strrchr(request.file, '\\');
  lstrcpynA(request.fileTitle, slash ? slash + 1 : request.file, sizeof request.fileTitle);
  return true;
}

}  // namespace form_driver
