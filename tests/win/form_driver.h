#pragma once
// Plays a user's input on the forms of this process, for window tests.
// Every action goes the way the system's own input goes: clicks through
// BM_CLICK or mouse messages at the control's place, keys through the
// message loop's dispatch step (dialog keys, translation into characters,
// the control's procedure), so KeyDown, KeyPress, Exit and Change events
// run as they would for a user. The form must be shown. Controls are named
// by the form's name enum.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "win/form.h"

namespace form_driver {

// Dispatches every pending message of this thread, without waiting.
void Pump();

// Clicks a push button, check box or radio button (BM_CLICK: the focus
// moves to it first, so the field that had it gets its Exit event).
void Click(Form& form, int id);

// Gives a control the keyboard focus (the one that had it gets its Exit).
void Focus(Form& form, int id);
// Leaves the control that has the focus for the next one in tab order.
void LeaveField(Form& form);

// Presses a key on the focused window: WM_KEYDOWN, or WM_SYSKEYDOWN with
// kShiftAlt or for F10; kShiftKey and kShiftCtrl are held meanwhile. The
// characters it makes arrive as WM_CHAR.
void PressKey(WORD key, unsigned shift = 0);
// Types text into the focused window, character by character.
void Type(const char* text);
// Focuses the control (an editable combo box: its edit) and types text.
void TypeText(Form& form, int id, const char* text);

// Chooses an item of a combo box's list as the mouse would: the combo box
// takes the focus, the item is selected and CBN_SELCHANGE reaches the form.
void SelectComboItem(Form& form, int id, int index);
// Clicks the tab of a page of a page control (Changing, then Change).
void SelectPage(Form& form, int id, int page);
// Clicks a row of a list view; double-clicks it.
void SelectListItem(Form& form, int id, int item);
void DoubleClickListItem(Form& form, int id, int item);

// Bounds a step that could hang the GUI thread: when it lives longer than
// the given time, the program says what hung and ends with a failure, so
// that a hang fails its test rather than blocking the run.
class Watchdog {
 public:
  Watchdog(const char* what, DWORD milliseconds = 30000);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  static DWORD WINAPI Watch(void* self);
  std::string what_;
  DWORD milliseconds_;
  HANDLE done_, thread_;
};

// Answers the message boxes shown while it lives (through the message-box
// seam), with queued answers first and then the default; records each box.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int defaultAnswer = kIdOk);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  void Queue(int answer) { answers_.push_back(answer); }
  struct Box {
    void* owner;
    std::string text, caption;
    unsigned style;
  };
  const std::vector<Box>& Boxes() const { return boxes_; }
  int Count() const { return (int)boxes_.size(); }

 private:
  static int Answer(const MessageBoxRequest& request);
  int defaultAnswer_;
  std::vector<int> answers_;
  std::vector<Box> boxes_;
  MessageBoxHandler before_;
};

// Answers the file dialogs shown while it lives: each queued path is chosen
// in turn ("" cancels); without a queued path the dialog is cancelled.
// Records each request.
class FileDialogAnswerer {
 public:
  FileDialogAnswerer();
  ~FileDialogAnswerer();
  FileDialogAnswerer(const FileDialogAnswerer&) = delete;
  FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

  void Queue(const char* path) { paths_.push_back(path); }
  struct Dialog {
    bool save;
    void* owner;
    std::string title, filter, initialDir, defaultExt;
    unsigned flags;
  };
  const std::vector<Dialog>& Dialogs() const { return dialogs_; }
  int Count() const { return (int)dialogs_.size(); }

 private:
  static bool Answer(FileDialogRequest& request);
  std::vector<std::string> paths_;
  std::vector<Dialog> dialogs_;
  FileDialogHandler before_;
};

}  // namespace form_driver
