#pragma once
// A form: one top-level window built from its FormDescription. The form
// keeps the window handles of its rows in table order (menus for the menu
// rows); everything a control shows stays in the control itself.
//
// Messages of the form, of its containers and of its subclassed controls all
// arrive at one place, Form::HandleMessage, which turns them into FormEvents
// and hands them to OnEvent. A form class overrides OnEvent with a short
// switch that calls its named handlers (btnOpenClick, frmTbShow, ...).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "win/controls.h"
#include "win/events.h"
#include "win/form_description.h"

enum ModalResult { kModalNone = 0, kModalOk = 1, kModalCancel = 2 };

class Form {
 public:
  explicit Form(const FormDescription& description);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its rows, hidden, then raises the create event.
  void Create();
  void Destroy();

  HWND Handle() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  const char* Name() const { return description_.name; }
  const char* ClassName() const { return description_.className; }
  const FormDescription& Description() const { return description_; }

  // Rows by name. FindControl gives an empty wrapper (null HWND) for a name
  // that the table does not hold or that is a menu row.
  int ControlIndex(const char* name) const;  // -1 when absent
  Control FindControl(const char* name) const;
  Control ControlAt(int index) const { return Control(handles_[index]); }
  MenuItem FindMenuItem(const char* name) const;
  PopupMenu FindPopupMenu(const char* name) const;
  const char* ControlName(int index) const { return description_.controls[index].name; }

  // Window text, position and size (outer, in screen pixels).
  std::string Caption() const { return Control(hwnd_).Caption(); }
  void SetCaption(const char* text) { SetWindowTextA(hwnd_, text); }
  int Left() const { return Control(hwnd_).Left(); }
  int Top() const { return Control(hwnd_).Top(); }
  int Width() const { return Control(hwnd_).Width(); }
  int Height() const { return Control(hwnd_).Height(); }
  void SetLeft(int v) { Control(hwnd_).SetLeft(v); }
  void SetTop(int v) { Control(hwnd_).SetTop(v); }
  void SetWidth(int v) { Control(hwnd_).SetWidth(v); }
  void SetHeight(int v) { Control(hwnd_).SetHeight(v); }
  int ClientWidth() const;
  int ClientHeight() const;
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  // The form's font on its own window (its controls keep theirs).
  void SetFont(const char* name, int size, int charset) { Control(hwnd_).SetFont(name, size, charset); }

  void Show();
  void Hide();
  // Asks the close question (CloseQuery); the main form then ends the
  // message loop, a modal form ends its modal loop, any other form hides.
  void Close();
  // Shows the form modally: the other forms are disabled until a handler
  // sets a modal result (or a button with one is clicked, or the form is
  // closed); returns that result.
  int ShowModal();
  int GetModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool IsModal() const { return modal_; }
  void BringToFront() { SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }
  void Update() { UpdateWindow(hwnd_); }
  void Repaint() { InvalidateRect(hwnd_, nullptr, TRUE); }

  // The hint (tool tip) of a control; "" when it has none.
  void SetHint(const Control& control, const char* text);
  std::string Hint(const Control& control) const;

  // Every message of the form's windows comes here (see above).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  // The form that owns a window of it (form, container or control).
  static Form* FromWindow(HWND window);

 protected:
  // Hands an event to the form's named handler; does nothing by default.
  virtual void OnEvent(FormEvent& event) {}

  // Builds an event, runs OnEvent, and returns the event so that callers
  // can read back key, keyChar and allow.
  FormEvent Raise(EventKind kind, int control);
  FormEvent Raise(FormEvent event);

 private:
  void CreateRows();
  HWND CreateRow(int index, HWND parent, int left, int top);
  void CreateMenuRow(int index);
  HWND ParentWindow(int index) const;
  HFONT RowFont(int index) const;
  bool HandleKeyMessage(int control, UINT message, WPARAM& wParam, LPARAM lParam);
  LRESULT HandleCommand(WPARAM wParam, LPARAM lParam);
  LRESULT HandleNotify(NMHDR* header);
  int RowOfWindow(HWND window) const;
  void RunModalLoop();

  const FormDescription& description_;
  HWND hwnd_ = nullptr;
  HWND toolTip_ = nullptr;
  std::vector<HWND> handles_;   // one per row; null for menu rows
  std::vector<HMENU> menus_;    // popup menu or submenu of a row, else null
  std::map<HWND, std::string> hints_;  // the tool tip asks for these texts
  int modalResult_ = kModalNone;
  bool modal_ = false;
  bool destroying_ = false;
};

// Command identifiers and control identifiers are the row index plus this.
enum { kFirstRowId = 100 };
