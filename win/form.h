#pragma once
// A form: one top-level window built from its FormDescription.
//
// How to build a form
// -------------------
// 1. Names. List every control and menu item once, in an X-macro beside the
//    form class; it gives the form's name enum and the name texts:
//
//      #define FRM_REPLACE_NAMES(X) X(lbFile) X(txtFile) X(btnOK) X(btnCancel)
//      class TfrmReplace : public Form {
//       public:
//        enum Name { FRM_REPLACE_NAMES(TW_NAME_ENUM) kNameCount };
//        TfrmReplace();
//       protected:
//        void OnEvent(FormEvent& event) override;
//       private:
//        void FormShow();
//        void btnOKClick();
//        void txtFileKeyPress(char& key);
//      };
//
// 2. The table (in the .cpp). One row per name, in creation order (a
//    container before the rows inside it; tab order follows the table). The
//    row names itself by its enum value, so reordering rows re-wires nothing.
//    Fields after `style` may be left out (see form_description.h):
//
//      const char* const kNames[] = {FRM_REPLACE_NAMES(TW_NAME_TEXT)};
//      const ControlDescription kRows[] = {
//        {TfrmReplace::lbFile, kRoleLabel, kFormItself, 8, 12, 60, 13, "File:"},
//        {TfrmReplace::txtFile, kRoleEdit, kFormItself, 72, 8, 200, 21, "", 0, 259},
//        {TfrmReplace::btnOK, kRoleButton, kFormItself, 56, 40, 75, 25, "OK", kStyleDefault},
//        {TfrmReplace::btnCancel, kRoleButton, kFormItself, 144, 40, 75, 25, "Cancel",
//         kStyleCancel, 0, kModalCancel},
//      };
//
//    Radio buttons: `group` numbers them into groups (0: the group-0 buttons
//    of the same parent). List views, status bars and combo boxes take their
//    columns, panels or list items from `parts`. Owner-drawn combo boxes give
//    `itemHeight`. kStyleDefault / kStyleCancel make Enter / Escape anywhere
//    in the form click the button (after the focused control's KeyDown).
//
// 3. Texts by string id: a caption table, applied by Localize():
//
//      const CaptionEntry kCaptions[] = {
//        {kFormItself, kCaptionText, 0, 14001},            // the form's caption
//        {TfrmReplace::lbFile, kCaptionText, 0, 14002},    // also tab sheets, menu items
//        {TfrmReplace::txtFile, kCaptionHint, 0, 14003},
//      };
//
//    kCaptionColumn and kCaptionPanel give list-view column `index` and
//    status-bar panel `index` their texts. Localize() also puts the language
//    font (TheLanguage: uiFontName, uiFontSize, uiFontCharset) on every
//    window row that shows text, except the rows marked kStyleKeepFont, and
//    the font's face and character set on the form itself (its size stays);
//    then it applies the overrides of the current language:
//
//      const LayoutOverride k1031[] = {
//        {kFormItself, kOverrideWidth, 337},                // outer width
//        {TfrmReplace::lbFile, kOverrideLeft, 6},
//        {TfrmReplace::btnCancel, kOverrideLeft | kOverrideUnscaled, 224},
//      };
//      const LanguageLayout kLayouts[] = {{1031, k1031, 3}};
//
//    Values are 96-DPI design pixels scaled by ScreenPixelsPerInch / 96 in
//    integer arithmetic (kOverrideUnscaled: screen pixels as given), applied
//    in list order; a language without a list keeps the positions it has.
//    A window calls Localize() in its show handler, every time it is shown;
//    ApplyCaptions, ApplyLanguageFont and ApplyLayoutOverrides are the three
//    steps on their own.
//
// 4. The description ties it together (count with sizeof x / sizeof x[0]):
//
//      const FormDescription kDescription = {"frmReplace", "TfrmReplace",
//        "Replace", 0, 0, 300, 120, kBorderDialog, 0, COLOR_BTNFACE,
//        "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, 4, kNames,
//        TfrmReplace::kNameCount, kCaptions, 3, kLayouts, 1};
//
// 5. Events stay procedural: OnEvent is a short switch on the name that
//    calls the named handlers; key handlers change event.key or
//    event.keyChar (0 swallows the key):
//
//      void TfrmReplace::OnEvent(FormEvent& event) {
//        switch (event.control) {
//          case kFormItself: if (event.kind == kEventShow) FormShow(); break;
//          case btnOK: if (event.kind == kEventClick) btnOKClick(); break;
//          case txtFile: if (event.kind == kEventKeyPress) txtFileKeyPress(event.keyChar); break;
//        }
//      }
//
//    Handlers reach their controls by name: ControlAt(txtFile).Text(),
//    CheckBox(ControlAt(chkOn)).Checked(), MenuItemAt(pmConfig).
//
// 6. A test: EXPECT_EQ("", CheckFormDescription(kDescription)) proves that
//    every name has its row and every caption and override names a row.
//    tests/win/form_driver.h plays the user: Click, TypeText, PressKey,
//    LeaveField, SelectComboItem, SelectPage, SelectListItem,
//    DoubleClickListItem, Pump; MessageBoxAnswerer and FileDialogAnswerer
//    answer the boxes and dialogs that a handler opens, so no test blocks.
//
// Each window kind has its own window procedure (the form, our containers,
// the subclassed system controls); all catch every exception, so a handler's
// exception is shown by the application and never unwinds through the
// system's frames.
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
  // Throws Exception for a faulty description (CheckFormDescription).
  void Create();
  void Destroy();

  HWND Handle() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  const char* Name() const { return description_.name; }
  const char* ClassName() const { return description_.className; }
  const FormDescription& Description() const { return description_; }

  // Rows by name. ControlAt gives an empty wrapper (null HWND) for a menu
  // row; MenuItemAt and PopupMenuAt an invalid one for a window row.
  Control ControlAt(int id) const;
  PopupMenuItem MenuItemAt(int id) const;
  PopupMenu PopupMenuAt(int id) const;
  const char* ControlName(int id) const;
  // The id of a name text (-1 when absent), and the rows by name text, for
  // code that reads names (tests, "mmLang7").
  int ControlId(const char* name) const;
  Control FindControl(const char* name) const { return ControlAt(ControlId(name)); }
  PopupMenuItem FindMenuItem(const char* name) const { return MenuItemAt(ControlId(name)); }
  PopupMenu FindPopupMenu(const char* name) const { return PopupMenuAt(ControlId(name)); }

  // Window text, position and size (outer, in screen pixels). Left and Top
  // set before Show or ShowModal stay where they were put.
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
  void SetPosition(int left, int top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Moves the form the least that keeps its title bar on the desktop (the
  // work area, or every screen together where there are several); a form
  // that can be reached there stays where it is.
  void KeepOnDesktop();
  int ClientWidth() const;
  int ClientHeight() const;
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  // The form's font on its own window (its controls keep theirs), for what
  // the form paints itself.
  void SetFont(const char* name, int size, int charset) { Control(hwnd_).SetFont(name, size, charset); }
  HFONT Font() const { return font_; }

  void Show();
  void Hide();
  // Asks the close question (CloseQuery); the main form then ends the
  // message loop, a modal form ends its modal loop, any other form hides.
  void Close();
  // Shows the form modally: the other forms are disabled until a handler
  // sets a modal result (or a button with one is clicked, or the form is
  // closed); returns that result. The caller places the form first.
  int ShowModal();
  int GetModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool IsModal() const { return modal_; }
  void BringToFront() { SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }
  void Update() { UpdateWindow(hwnd_); }
  void Repaint() { InvalidateRect(hwnd_, nullptr, TRUE); }

  // Takes the keyboard focus from the control of this form that has it, so
  // that its Exit event runs now; returns that control, or null when none
  // of the form's controls had the focus. RestoreFocus gives it back when
  // it can still take it.
  HWND LeaveFocusedControl();
  void RestoreFocus(HWND control);

  // The mouse goes to this form until it is released (a custom-painted
  // form's drag, a screen picker).
  void CaptureMouse() { SetCapture(hwnd_); }
  void ReleaseMouse() { ReleaseCapture(); }
  bool MouseCaptured() const { return GetCapture() == hwnd_; }

  // Localisation: the caption table's texts, the language font, then the
  // layout overrides of the current language (TheLanguage).
  void Localize();
  void ApplyCaptions();
  void ApplyLanguageFont();
  void ApplyLayoutOverrides(int langId);

  // The hint (tool tip) of a control; "" when it has none.
  void SetHint(const Control& control, const char* text);
  std::string Hint(const Control& control) const;

  // Checks a radio button and clears the others of its group, without a
  // click event.
  void SelectRadio(HWND button);

  // The form that owns a window of it (form, container or control).
  static Form* FromWindow(HWND window);

  // Called by the window procedures and the message loop only.
  LRESULT FormMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC original);
  // Enter or Escape for the form's default, cancel or focused push button:
  // the focused control's KeyDown runs, then the button is clicked. False
  // when no button takes the key (it then goes its usual way).
  bool RunDialogKey(HWND target, WPARAM key, LPARAM lParam);

 protected:
  // Hands an event to the form's named handler; does nothing by default.
  virtual void OnEvent(FormEvent& event) {}

  // Builds an event, runs OnEvent, and returns the event so that callers
  // can read back key, keyChar and allow.
  FormEvent Raise(EventKind kind, int control);
  FormEvent Raise(FormEvent event);

 private:
  const ControlDescription& Row(int id) const { return description_.controls[rowOfId_[id]]; }
  bool IsWindowRow(int id) const;
  void CreateRows();
  HWND CreateRow(const ControlDescription& row);
  void CreateMenuRow(const ControlDescription& row);
  HWND ParentWindow(const ControlDescription& row) const;
  HFONT RowFont(const ControlDescription* row) const;
  bool StartsRadioGroup(const ControlDescription& row) const;
  bool SameRadioGroup(int id, int other) const;
  void Place(int id, unsigned property, int value);
  WORD KeyDown(int control, WORD key, unsigned shift);
  char KeyPress(int control, char key);
  LRESULT ChildMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT HandleCommand(WPARAM wParam, LPARAM lParam);
  LRESULT HandleNotify(NMHDR* header);
  LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  int RowOfWindow(HWND window) const;
  bool IsListViewWindow(HWND window) const;  // a row of the list-view role
  int ButtonForKey(HWND target, WPARAM key) const;
  void RunModalLoop();

  const FormDescription& description_;
  HWND hwnd_ = nullptr;
  HWND toolTip_ = nullptr;
  HFONT font_ = nullptr;        // from the application's font cache
  std::vector<int> rowOfId_;    // table row of each name, resolved at creation
  std::vector<HWND> handles_;   // window of each name; null for menu rows
  std::vector<HMENU> menus_;    // popup menu or submenu of a name, else null
  std::map<HWND, std::string> hints_;  // the tool tip asks for these texts
  int modalResult_ = kModalNone;
  bool modal_ = false;
  bool destroying_ = false;
  bool pageChangeOnTabs_ = false;  // the focus was on the tab strip when its page change began
};

// Command identifiers and control identifiers are the name's id plus this.
enum { kFirstRowId = 100 };
