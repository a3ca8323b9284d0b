#pragma once
// Wrappers of the controls by role. A wrapper holds only the control's
// window handle, does not own it and converts to HWND; each method sends the
// control the one message that does the job, so nothing here can drift from
// what the control shows. Positions are in pixels relative to the parent's
// client area (the screen for a form).
#include <windows.h>
#include <commctrl.h>

#include <string>

// Messages that our own container windows (panels, group boxes, page
// controls, tab sheets) understand.
enum {
  kMsgShowPage = WM_APP + 1,   // page control: wParam = page index to show
  kMsgSheetText = WM_APP + 2,  // page control: a sheet's caption changed (wParam index)
  kMsgSetColor = WM_APP + 3,   // panel: lParam = COLORREF, CLR_INVALID for the face colour
  kMsgPageIndex = WM_APP + 4,  // page control: the shown page's index
  kMsgGetColor = WM_APP + 5,   // panel: its COLORREF or CLR_INVALID
  kMsgLayoutPages = WM_APP + 6,  // page control: lay the sheets out for the selected tab;
                                 // wParam 1: then the focus goes to the tabs
  kMsgSetBorder = WM_APP + 7,  // panel: wParam = 1 for a single black frame, 0 for none
  kMsgGetBorder = WM_APP + 8,  // panel: 1 when it has the frame
};

// The width code of ListView::SetColumnWidth that fits a column to its
// header text and its items.
enum { kColumnWidthFitHeader = LVSCW_AUTOSIZE_USEHEADER };

class Control {
 public:
  Control() = default;
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}
  operator HWND() const { return hwnd_; }
  HWND Handle() const { return hwnd_; }
  bool IsValid() const { return hwnd_ != nullptr; }

  std::string Caption() const;  // window text (the Text of an edit)
  std::string Text() const { return Caption(); }
  void SetCaption(const char* text) const { SetWindowTextA(hwnd_, text); }
  void SetText(const char* text) const { SetWindowTextA(hwnd_, text); }

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left) const;
  void SetTop(int top) const;
  void SetWidth(int width) const;
  void SetHeight(int height) const;
  void SetBounds(int left, int top, int width, int height) const {
    MoveWindow(hwnd_, left, top, width, height, TRUE);
  }

  bool Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void SetVisible(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetEnabled(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
  void SetFocus() const { ::SetFocus(hwnd_); }
  bool Focused() const { return GetFocus() == hwnd_; }

  // Font by face name, size in points and character set (from the
  // application's font cache, so repeated localisation makes no new fonts).
  void SetFont(const char* name, int size, int charset, bool bold = false) const;
  std::string FontName() const;
  int FontSize() const;
  int FontCharset() const;

  // The hint, kept by the control's form.
  void SetHint(const char* text) const;
  std::string Hint() const;

 protected:
  HWND hwnd_ = nullptr;
};

class Edit : public Control {
 public:
  using Control::Control;
  explicit Edit(const Control& c) : Control(c.Handle()) {}
  void SetMaxLength(int count) const { SendMessageA(hwnd_, EM_LIMITTEXT, count, 0); }
  void SetReadOnly(bool on) const { SendMessageA(hwnd_, EM_SETREADONLY, on, 0); }
  void Select(int start, int end) const { SendMessageA(hwnd_, EM_SETSEL, start, end); }
  int SelStart() const;
  int SelLength() const;
  int TextLength() const { return GetWindowTextLengthA(hwnd_); }
};

class CheckBox : public Control {
 public:
  using Control::Control;
  explicit CheckBox(const Control& c) : Control(c.Handle()) {}
  bool Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // Sets the tick silently: no click event (radio buttons: the others of
  // the group are not cleared; RadioButton::Select does that).
  void SetChecked(bool on) const { SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
  // Clicks the button as the mouse would: the focus moves to it, the tick
  // changes and the click event runs.
  void Click() const { SendMessageA(hwnd_, BM_CLICK, 0, 0); }
};

class RadioButton : public CheckBox {
 public:
  using CheckBox::CheckBox;
  explicit RadioButton(const Control& c) : CheckBox(c.Handle()) {}
  // Checks this button and clears the others of its group (the row's group
  // in its form's table), silently: no click event.
  void Select() const;
};

class ComboBox : public Control {
 public:
  using Control::Control;
  explicit ComboBox(const Control& c) : Control(c.Handle()) {}
  void Clear() const { SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0); }
  int Add(const char* text) const { return (int)SendMessageA(hwnd_, CB_ADDSTRING, 0, (LPARAM)text); }
  int Count() const { return (int)SendMessageA(hwnd_, CB_GETCOUNT, 0, 0); }
  int ItemIndex() const { return (int)SendMessageA(hwnd_, CB_GETCURSEL, 0, 0); }
  void SetItemIndex(int index) const { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }
  std::string ItemText(int index) const;
  // A number kept with an item (CB_ERR for an item that does not exist).
  void SetItemData(int index, LONG_PTR data) const { SendMessageA(hwnd_, CB_SETITEMDATA, index, data); }
  LONG_PTR ItemData(int index) const { return (LONG_PTR)SendMessageA(hwnd_, CB_GETITEMDATA, index, 0); }
  bool DroppedDown() const { return SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
  // The selection in an editable combo box's edit field.
  int SelStart() const;
  int SelLength() const;
};

class PageControl : public Control {
 public:
  using Control::Control;
  explicit PageControl(const Control& c) : Control(c.Handle()) {}
  HWND Tabs() const { return FindWindowExA(hwnd_, nullptr, WC_TABCONTROLA, nullptr); }
  int PageCount() const { return (int)SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0); }
  int ActivePage() const { return (int)SendMessageA(hwnd_, kMsgPageIndex, 0, 0); }
  // Shows a page without a change event.
  void SetActivePage(int index) const { SendMessageA(hwnd_, kMsgShowPage, index, 0); }
};

class Panel : public Control {
 public:
  using Control::Control;
  explicit Panel(const Control& c) : Control(c.Handle()) {}
  void SetColor(COLORREF color) const { SendMessageA(hwnd_, kMsgSetColor, 0, (LPARAM)color); }
  COLORREF Color() const { return (COLORREF)SendMessageA(hwnd_, kMsgGetColor, 0, 0); }
  // A single black frame around the panel, or none.
  void SetBorder(bool on) const { SendMessageA(hwnd_, kMsgSetBorder, on ? 1 : 0, 0); }
  bool Border() const { return SendMessageA(hwnd_, kMsgGetBorder, 0, 0) != 0; }
};

class ListView : public Control {
 public:
  using Control::Control;
  explicit ListView(const Control& c) : Control(c.Handle()) {}
  void SetColumnCaption(int column, const char* text) const;
  std::string ColumnCaption(int column) const;
  int ItemCount() const { return (int)SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0); }
  void Clear() const { SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0); }
  int AddItem(const char* text) const;
  void SetItemText(int item, int column, const char* text) const;
  std::string ItemText(int item, int column) const;
  int Selected() const { return (int)SendMessageA(hwnd_, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }
  void SelectItem(int item) const;
  int ColumnCount() const {
    return (int)SendMessageA((HWND)SendMessageA(hwnd_, LVM_GETHEADER, 0, 0), HDM_GETITEMCOUNT, 0, 0);
  }
  int ColumnWidth(int column) const { return (int)SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, column, 0); }
  // Pixels, or kColumnWidthFitHeader.
  void SetColumnWidth(int column, int width) const { SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, column, width); }
  // Every column to one width (pixels or kColumnWidthFitHeader). Fitted to
  // the header, no column but the last is narrower than its header text
  // (Wine's list view fits the items only).
  void SetColumnWidths(int width) const;
  // No drawing between BeginUpdate and EndUpdate (while a list is refilled);
  // EndUpdate redraws the whole list once.
  void BeginUpdate() const { SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0); }
  void EndUpdate() const;
};

class StatusBar : public Control {
 public:
  using Control::Control;
  explicit StatusBar(const Control& c) : Control(c.Handle()) {}
  // A centred text goes in behind a tab character, as the control wants it.
  void SetPanelText(int panel, const char* text, bool centred = false) const;
  std::string PanelText(int panel) const;
  int PanelCount() const { return (int)SendMessageA(hwnd_, SB_GETPARTS, 0, 0); }
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  explicit ProgressBar(const Control& c) : Control(c.Handle()) {}
  void SetRange(int low, int high) const { SendMessageA(hwnd_, PBM_SETRANGE32, low, high); }
  int Max() const { return (int)SendMessageA(hwnd_, PBM_GETRANGE, FALSE, 0); }
  void SetPosition(int position) const { SendMessageA(hwnd_, PBM_SETPOS, position, 0); }
  int Position() const { return (int)SendMessageA(hwnd_, PBM_GETPOS, 0, 0); }
};

class UpDown : public Control {
 public:
  using Control::Control;
  explicit UpDown(const Control& c) : Control(c.Handle()) {}
  void SetRange(int low, int high) const { SendMessageA(hwnd_, UDM_SETRANGE32, low, high); }
  void SetPosition(int position) const { SendMessageA(hwnd_, UDM_SETPOS32, 0, position); }
  int Position() const { return (int)SendMessageA(hwnd_, UDM_GETPOS32, 0, 0); }
};

class DateTimePicker : public Control {
 public:
  using Control::Control;
  explicit DateTimePicker(const Control& c) : Control(c.Handle()) {}
  bool Value(SYSTEMTIME& time) const {
    return SendMessageA(hwnd_, DTM_GETSYSTEMTIME, 0, (LPARAM)&time) == GDT_VALID;
  }
  void SetValue(const SYSTEMTIME& time) const { SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&time); }
};

class Image : public Control {
 public:
  using Control::Control;
  explicit Image(const Control& c) : Control(c.Handle()) {}
  // Loads a Windows bitmap file into the control; the bitmap held before is
  // released. False (the old picture stays) when the file does not load.
  bool LoadBitmapFile(const char* path) const;
  // Shows a bitmap the program made; the control owns it from now on and
  // releases the one it held before.
  void SetBitmap(HBITMAP bitmap) const;
  HBITMAP Bitmap() const { return (HBITMAP)SendMessageA(hwnd_, STM_GETIMAGE, IMAGE_BITMAP, 0); }
};

// An item of a popup menu. It is addressed by command (its row's identifier)
// or, for an item that opens a submenu, by its position in its menu.
class PopupMenuItem {
 public:
  PopupMenuItem() = default;
  PopupMenuItem(HMENU menu, UINT item, UINT by) : menu_(menu), item_(item), by_(by) {}
  bool IsValid() const { return menu_ != nullptr; }
  std::string Caption() const;
  void SetCaption(const char* text) const;
  bool Checked() const { return (GetMenuState(menu_, item_, by_) & MF_CHECKED) != 0; }
  void SetChecked(bool on) const { CheckMenuItem(menu_, item_, by_ | (on ? MF_CHECKED : MF_UNCHECKED)); }
  bool Enabled() const { return (GetMenuState(menu_, item_, by_) & (MF_GRAYED | MF_DISABLED)) == 0; }
  void SetEnabled(bool on) const { EnableMenuItem(menu_, item_, by_ | (on ? MF_ENABLED : MF_GRAYED)); }

 private:
  HMENU menu_ = nullptr;
  UINT item_ = 0;
  UINT by_ = MF_BYCOMMAND;
};

class PopupMenu {
 public:
  PopupMenu() = default;
  PopupMenu(HMENU menu, HWND owner) : menu_(menu), owner_(owner) {}
  operator HMENU() const { return menu_; }
  bool IsValid() const { return menu_ != nullptr; }
  int Count() const { return GetMenuItemCount(menu_); }
  // Opens the menu at a screen point; a chosen item arrives as its click.
  void Popup(int x, int y) const {
    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner_, nullptr);
  }

 private:
  HMENU menu_ = nullptr;
  HWND owner_ = nullptr;
};
