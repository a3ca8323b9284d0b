#pragma once
// Drives a Windows program from another process, the way a tester does:
// starts it, finds its windows and controls (by class, caption or control
// id), clicks with the real mouse, types with real keys (SendInput, so the
// program's key filters see them), selects tabs and list rows, reads list
// views, combo boxes and texts, and answers message boxes and the file
// dialogs. Messages with pointers are given memory inside the program's
// process (WM_NOTIFY from another process is dropped, so tabs are chosen by
// a mouse click on their rectangle). Runs under Wine with an X server.
#include <windows.h>

#include <string>
#include <vector>

namespace acceptance {

// How long a step waits for the program to show what it should, in ms.
enum { kStepTimeout = 10000 };

// The program under test.
class Program {
 public:
  Program() = default;
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts path with arguments in folder (null: the driver's own folder).
  // Once a run has ended, Start begins the next one.
  bool Start(const std::string& path, const std::string& arguments, const char* folder);
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Process() const { return info_.hProcess; }
  // The first visible top-level window of the program with this class
  // (and caption, when given); null when none comes within the timeout.
  HWND WaitForWindow(const char* className, const char* caption, int timeout = kStepTimeout) const;
  // A top-level window of the program that is a dialog ("#32770": message
  // boxes, file dialogs), other than the ones listed.
  HWND WaitForDialog(int timeout = kStepTimeout) const;
  bool HasDialog() const;
  // Waits until the program has ended; false on timeout. exitCode may be null.
  bool WaitForExit(int timeout, DWORD* exitCode);
  void Kill();

 private:
  void Release();  // ends a run still going and closes its handles
  PROCESS_INFORMATION info_ = {};
};

// A POSIX path as Windows programs under Wine see it (drive Z:).
std::string WindowsPath(const std::string& posixPath);
// The path of a file of the build tree (TW_BINARY_DIR) as Windows sees it.
std::string BuildTreePath(const char* name);

// Controls by control id (at any depth below root), or by class and
// caption (either may be null).
HWND FindControl(HWND root, int controlId);
HWND FindControl(HWND root, const char* className, const char* caption);
std::string TextOf(HWND window);
bool IsEnabled(HWND window);
bool IsChecked(HWND button);

// Gives the program a moment to handle the input given so far. Input is
// handled in order, but a message sent by the driver overtakes it: steps
// that mix the two wait for what the input must have done (the focus, a
// text, a row) with WaitFor.
void Settle(HWND window);

// The control that has the keyboard focus in the program that owns window.
HWND FocusedControl(HWND window);
// Waits until control (or its own edit) has the focus.
bool WaitForFocus(HWND control);

// Real mouse and keys.
void ClickAt(int x, int y);
void RightClickAt(int x, int y);
void Click(HWND control);     // the control's centre
// Moves the mouse to a screen point as a real move does (the program sees
// the motion, unlike after SetCursorPos alone).
void MoveMouseTo(int x, int y);
// A point of a window's client area on the screen.
POINT ScreenPointOf(HWND window, int x, int y);
// Where the cursor is now (the program may have moved it).
POINT CursorAt();
void PressKey(WORD key, bool shift = false, bool ctrl = false, bool alt = false);
void Type(const char* text);  // characters through their keys
// Clicks into an edit (or an editable combo box), selects its text and
// types text in place of it, then (when leave) leaves the field with Tab.
// False when the field did not come to show exactly text.
bool TypeInto(HWND field, const char* text, bool leave = true);

// A push button clicked by a posted BM_CLICK: the driver goes on while a
// message box that the click opens waits for it.
void PostClick(HWND button);

// The page control's tab strip: choose a page by clicking its tab. False
// when the page did not become the selected one.
bool SelectTab(HWND pageControl, int page);
// Chooses a page by its index (TCM_SETCURFOCUS: the tab strip itself
// notifies the program's page control, as a click does), also when its tab
// is scrolled out of sight. False when the page did not become the
// selected one.
bool SelectPage(HWND pageControl, int page);
int SelectedTab(HWND pageControl);

// List views: rows, cells, clicking a row.
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
bool ClickListRow(HWND list, int row);  // false when the row is not selected after

// Combo boxes: choose item index as a user's choice from the list does.
void SelectComboItem(HWND combo, int index);
int ComboSelection(HWND combo);

// Message boxes: the text and the click on a button (IDYES, IDNO, IDOK,
// IDCANCEL).
std::string MessageText(HWND box);
void AnswerMessage(HWND box, int button);
// The open or save dialog: the file name typed into its name field, then OK.
void AnswerFileDialog(HWND dialog, const char* path);

// Polls a condition until it holds; false on timeout.
template <class Condition>
bool WaitFor(Condition condition, int timeout = kStepTimeout) {
  for (int waited = 0; waited < timeout; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// The whole screen as a 24-bit Windows bitmap file.
bool CaptureScreen(const char* path);

}  // namespace acceptance
