#include "tests/acceptance/driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace acceptance {

namespace {

// Memory inside the process that owns a window, for messages that carry a
// pointer (list-view items, tab rectangles).
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* At(size_t offset) const { return (char*)address_ + offset; }
  bool Write(size_t offset, const void* data, size_t size) {
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  bool Read(size_t offset, void* data, size_t size) {
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

struct WindowSearch {
  DWORD pid;
  const char* className;
  const char* caption;
  HWND found;
};

bool Matches(HWND window, const char* className, const char* caption) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (className && lstrcmpiA(name, className) != 0) return false;
  return !caption || TextOf(window) == caption;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  WindowSearch* search = (WindowSearch*)data;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window) || !Matches(window, search->className, search->caption)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindTopLevelWindow(DWORD pid, const char* className, const char* caption) {
  WindowSearch search = {pid, className, caption, nullptr};
  EnumWindows(FindTopLevel, (LPARAM)&search);
  return search.found;
}

struct ChildSearch {
  int id;
  const char* className;
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindChildWindow(HWND window, LPARAM data) {
  ChildSearch* search = (ChildSearch*)data;
  bool hit = search->id >= 0 ? GetDlgCtrlID(window) == search->id
                             : Matches(window, search->className, search->caption);
  if (!hit) return TRUE;
  search->found = window;
  return FALSE;
}

void SendInputs(INPUT* inputs, int count) { SendInput(count, inputs, sizeof(INPUT)); }

void KeyEvent(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = (WORD)MapVirtualKeyA(key, 0);
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInputs(&input, 1);
}

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The program's window that receives the input now (for Settle).
HWND InputWindow() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(0, &info) && info.hwndFocus) return info.hwndFocus;
  return GetForegroundWindow();
}

}  // namespace

Program::~Program() { Release(); }

void Program::Release() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) Kill();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  info_ = {};
}

bool Program::Start(const std::string& path, const std::string& arguments, const char* folder) {
  Release();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
  return CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &info_) != FALSE;
}

HWND Program::WaitForWindow(const char* className, const char* caption, int timeout) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopLevelWindow(Id(), className, caption)) != nullptr; }, timeout);
  return found;
}

HWND Program::WaitForDialog(int timeout) const { return WaitForWindow("#32770", nullptr, timeout); }

bool Program::HasDialog() const { return FindTopLevelWindow(Id(), "#32770", nullptr) != nullptr; }

bool Program::WaitForExit(int timeout, DWORD* exitCode) {
  if (WaitForSingleObject(info_.hProcess, timeout) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

void Program::Kill() {
  if (info_.hProcess) TerminateProcess(info_.hProcess, 1);
}

std::string WindowsPath(const std::string& posixPath) {
  // Wine shows the root as drive Z:.
  std::string path = "Z:" + posixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string BuildTreePath(const char* name) {
  const char* dir = getenv("TW_BINARY_DIR");
  return WindowsPath(std::string(dir ? dir : "") + "/" + name);
}

HWND FindControl(HWND root, int controlId) {
  ChildSearch search = {controlId, nullptr, nullptr, nullptr};
  EnumChildWindows(root, FindChildWindow, (LPARAM)&search);
  return search.found;
}

HWND FindControl(HWND root, const char* className, const char* caption) {
  ChildSearch search = {-1, className, caption, nullptr};
  EnumChildWindows(root, FindChildWindow, (LPARAM)&search);
  return search.found;
}

std::string TextOf(HWND window) {
  char text[2048] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_BLOCK, kStepTimeout, nullptr);
  return text;
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Settle(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  for (int round = 0; round < 2; ++round) {
    Sleep(15);
    if (process) WaitForInputIdle(process, 2000);
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, kStepTimeout, &result);
  }
  if (process) CloseHandle(process);
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool WaitForFocus(HWND control) {
  return WaitFor([&] {
    HWND focus = FocusedControl(control);
    return focus && (focus == control || IsChild(control, focus));
  });
}

namespace {

void ButtonAt(int x, int y, DWORD down, DWORD up) {
  SetCursorPos(x, y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  SendInputs(inputs, 2);
}

}  // namespace

void ClickAt(int x, int y) { ButtonAt(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClickAt(int x, int y) { ButtonAt(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void MoveMouseTo(int x, int y) {
  // Absolute moves count in 65536ths of the screen.
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInputs(&input, 1);
}

POINT ScreenPointOf(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

POINT CursorAt() {
  POINT point = {};
  GetCursorPos(&point);
  return point;
}

void Click(HWND control) {
  POINT centre = CentreOf(control);
  ClickAt(centre.x, centre.y);
  Settle(control);
}

void PressKey(WORD key, bool shift, bool ctrl, bool alt) {
  if (shift) KeyEvent(VK_SHIFT, false);
  if (ctrl) KeyEvent(VK_CONTROL, false);
  if (alt) KeyEvent(VK_MENU, false);
  KeyEvent(key, false);
  KeyEvent(key, true);
  if (alt) KeyEvent(VK_MENU, true);
  if (ctrl) KeyEvent(VK_CONTROL, true);
  if (shift) KeyEvent(VK_SHIFT, true);
  if (HWND window = InputWindow()) Settle(window);
}

void Type(const char* text) {
  for (const char* c = text; *c; ++c) {
    SHORT scan = VkKeyScanA(*c);
    if (scan == -1) continue;
    PressKey(LOBYTE(scan), (scan & 0x100) != 0, (scan & 0x200) != 0, (scan & 0x400) != 0);
  }
}

bool TypeInto(HWND field, const char* text, bool leave) {
  Click(field);
  if (!WaitForFocus(field)) return false;
  // A combo box's own edit takes the selection.
  HWND edit = FindControl(field, "Edit", nullptr);
  SendMessageA(edit ? edit : field, EM_SETSEL, 0, -1);
  Type(text);
  if (!WaitFor([&] { return TextOf(field) == text; })) return false;
  if (!leave) return true;
  PressKey(VK_TAB);
  return WaitFor([&] {
    HWND focus = FocusedControl(field);
    return focus != field && !IsChild(field, focus);
  });
}

void PostClick(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
  Settle(button);
}

bool SelectTab(HWND pageControl, int page) {
  HWND tabs = FindControl(pageControl, WC_TABCONTROLA, nullptr);
  if (!tabs) tabs = pageControl;
  RemoteMemory memory(tabs, sizeof(RECT));
  RECT rect = {};
  if (!memory.Valid() || !SendMessageA(tabs, TCM_GETITEMRECT, page, (LPARAM)memory.At(0)) ||
      !memory.Read(0, &rect, sizeof rect)) {
    return false;
  }
  MapWindowPoints(tabs, HWND_DESKTOP, (POINT*)&rect, 2);
  // A click that lands while the program's windows are still being shown
  // and activated can be lost, as with a person at the screen, who then
  // clicks again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Settle(tabs);
    if (WaitFor([&] { return SelectedTab(pageControl) == page; }, kStepTimeout / 3)) {
      // The tab names the page before the program has shown its sheet: a
      // click sent meanwhile would go to the control of the old page that
      // lies under it.
      Settle(tabs);
      return true;
    }
  }
  return false;
}

bool SelectPage(HWND pageControl, int page) {
  HWND tabs = FindControl(pageControl, WC_TABCONTROLA, nullptr);
  if (!tabs) return false;
  SendMessageA(tabs, TCM_SETCURFOCUS, page, 0);
  Settle(tabs);
  return WaitFor([&] { return SelectedTab(pageControl) == page; });
}

int SelectedTab(HWND pageControl) {
  HWND tabs = FindControl(pageControl, WC_TABCONTROLA, nullptr);
  return (int)SendMessageA(tabs ? tabs : pageControl, TCM_GETCURSEL, 0, 0);
}

int ListRowCount(HWND list) { return (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); }

std::string ListCell(HWND list, int row, int column) {
  const size_t textSize = 512;
  RemoteMemory memory(list, sizeof(LVITEMA) + textSize);
  if (!memory.Valid()) return "";
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = memory.At(sizeof item);
  item.cchTextMax = (int)textSize;
  memory.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, row, (LPARAM)memory.At(0));
  char text[textSize] = "";
  memory.Read(sizeof item, text, textSize - 1);
  return text;
}

bool ClickListRow(HWND list, int row) {
  RemoteMemory memory(list, sizeof(RECT));
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (!memory.Valid() || !memory.Write(0, &rect, sizeof rect) ||
      !SendMessageA(list, LVM_GETITEMRECT, row, (LPARAM)memory.At(0)) || !memory.Read(0, &rect, sizeof rect)) {
    return false;
  }
  MapWindowPoints(list, HWND_DESKTOP, (POINT*)&rect, 2);
  ClickAt(rect.left + 8, (rect.top + rect.bottom) / 2);
  Settle(list);
  return WaitFor([&] { return SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == row; });
}

void SelectComboItem(HWND combo, int index) {
  Click(combo);  // drops the list down and takes the focus
  WaitForFocus(combo);
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), (LPARAM)combo);
  Settle(combo);
}

int ComboSelection(HWND combo) { return (int)SendMessageA(combo, CB_GETCURSEL, 0, 0); }

std::string MessageText(HWND box) {
  // The message is the static text with id 0xFFFF (the icon has no text).
  HWND text = FindControl(box, 0xFFFF);
  if (text && !TextOf(text).empty()) return TextOf(text);
  return TextOf(FindControl(box, "Static", nullptr));
}

void AnswerMessage(HWND box, int button) {
  HWND control = FindControl(box, button);
  if (control) PostMessageA(control, BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(box); });
}

void AnswerFileDialog(HWND dialog, const char* path) {
  // The file name field: an edit (edt1) or a combo box (cmb13) with one.
  HWND name = FindControl(dialog, 0x480);
  if (!name) name = FindControl(dialog, 0x47C);
  if (HWND edit = name ? FindControl(name, "Edit", nullptr) : nullptr) name = edit;
  if (name) SendMessageA(name, WM_SETTEXT, 0, (LPARAM)path);
  // The dialog's own command, as its OK button sends it.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)FindControl(dialog, IDOK));
  WaitFor([&] { return !IsWindow(dialog); });
}

bool CaptureScreen(const char* path) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels((size_t)stride * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + (DWORD)pixels.size();
  FILE* out = fopen(path, "wb");
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
            fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return fclose(out) == 0 && ok;
}

}  // namespace acceptance
