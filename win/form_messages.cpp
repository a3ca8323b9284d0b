// The messages of a form's windows become FormEvents here: the form's own
// (close, show, paint, keys, mouse), the notifications that controls send
// their parent (form or container), and the keys of subclassed controls.
#include <windows.h>
#include <commctrl.h>

#include "win/application.h"
#include "win/form.h"
#include "win/window_procs.h"

namespace {

// The window property that keeps a subclassed control's former procedure.
const char kOriginalProc[] = "TwOriginalProc";

LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

unsigned ShiftFromKeys() {
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kShiftCtrl;
  return shift;
}

// The shift state of a key message; a system key says itself whether Alt
// was held (bit 29, the context code).
unsigned KeyShift(UINT message, LPARAM lParam) {
  unsigned shift = ShiftFromKeys();
  if (message == WM_SYSKEYDOWN && (lParam & (1 << 29))) shift |= kShiftAlt;
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

LRESULT CallOriginal(WNDPROC original, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return original ? CallWindowProcA(original, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = (WNDPROC)GetPropA(hwnd, kOriginalProc);
  if (message == WM_NCDESTROY) {
    RemovePropA(hwnd, kOriginalProc);
    return CallOriginal(original, hwnd, message, wParam, lParam);
  }
  Form* form = (Form*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  if (!form) return CallOriginal(original, hwnd, message, wParam, lParam);
  // A C++ exception must never unwind through the system's frames.
  try {
    return form->ControlMessage(hwnd, message, wParam, lParam, original);
  } catch (...) {
    TheApplication.ShowCurrentException();
    return 0;
  }
}

void ShowPickedItem(const ComboBox& combo) {
  int index = combo.ItemIndex();
  if (index < 0) return;
  std::string picked = combo.ItemText(index);
  if (picked != combo.Text()) combo.SetText(picked.c_str());
}

}  // namespace

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
  }
  Form* form = (Form*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  try {
    bool handled = false;
    LRESULT result = form ? form->FormMessage(message, wParam, lParam, handled) : 0;
    if (handled) return result;
  } catch (...) {
    TheApplication.ShowCurrentException();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SubclassControl(HWND control, Form* form) {
  SetWindowLongPtrA(control, GWLP_USERDATA, (LONG_PTR)form);
  SetPropA(control, kOriginalProc, (HANDLE)GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)ControlWindowProc);
}

WORD Form::KeyDown(int control, WORD key, unsigned shift) {
  FormEvent event = {};
  event.kind = kEventKeyDown;
  event.key = key;
  event.shift = shift;
  event.allow = true;
  if (control != kFormItself && (description_.flags & kFormKeyPreview)) {
    event.control = kFormItself;
    event = Raise(event);
    if (event.key == 0) return 0;
  }
  event.control = control;
  return Raise(event).key;
}

char Form::KeyPress(int control, char key) {
  FormEvent event = {};
  event.kind = kEventKeyPress;
  event.control = control;
  event.keyChar = key;
  event.allow = true;
  return Raise(event).keyChar;
}

// A subclassed control: only its keys are the form's business; everything
// that is not swallowed goes on to the control's own procedure.
LRESULT Form::ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC original) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = KeyDown(RowOfWindow(window), (WORD)wParam, KeyShift(message, lParam));
      if (key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_CHAR: {
      char key = KeyPress(RowOfWindow(window), (char)wParam);
      if (key == 0) return 0;
      wParam = (unsigned char)key;
      break;
    }
    case WM_GETDLGCODE: {
      // Enter and Escape that no button of the form takes stay with an edit
      // field, whose KeyPress sees them; Enter stays with a list view too.
      LRESULT code = CallOriginal(original, window, message, wParam, lParam);
      const MSG* pending = (const MSG*)lParam;
      const bool listView = IsListViewWindow(window);
      if (pending && pending->message == WM_KEYDOWN &&
          (((pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE) && (code & DLGC_HASSETSEL)) ||
           (pending->wParam == VK_RETURN && listView))) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      // A list view may change its selection while it handles the press
      // and take the focus only afterwards. The field that had the focus
      // commits first, as it does before any other control's click, so its
      // value goes to the row it showed.
      if (GetFocus() != window && IsListViewWindow(window)) SetFocus(window);
      break;
  }
  return CallOriginal(original, window, message, wParam, lParam);
}

int Form::ButtonForKey(HWND target, WPARAM key) const {
  if (key == VK_RETURN) {
    // A focused push button takes Enter itself.
    int focused = RowOfWindow(target);
    if (focused >= 0 && handles_[focused] == target && Row(focused).role == kRoleButton) return focused;
  }
  unsigned flag = key == VK_RETURN ? kStyleDefault : kStyleCancel;
  for (int row = 0; row < description_.controlCount; ++row) {
    const ControlDescription& c = description_.controls[row];
    if (c.role == kRoleButton && (c.style & flag)) return c.id;
  }
  return -1;
}

bool Form::RunDialogKey(HWND target, WPARAM key, LPARAM lParam) {
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  int button = ButtonForKey(target, key);
  if (button < 0 || !IsWindowEnabled(handles_[button]) || !IsWindowVisible(handles_[button])) return false;
  int control = target == hwnd_ ? kFormItself : RowOfWindow(target);
  // An open drop-down list closes with the key.
  if (control >= 0 && Row(control).role == kRoleComboBox && ComboBox(ControlAt(control)).DroppedDown()) return false;
  if (KeyDown(control, (WORD)key, KeyShift(WM_KEYDOWN, lParam)) == 0) return true;
  SendMessageA(handles_[button], BM_CLICK, 0, 0);
  return true;
}

int Form::RowOfWindow(HWND window) const {
  for (int step = 0; step < 2 && window; ++step) {
    int id = GetDlgCtrlID(window) - kFirstRowId;
    if (id >= 0 && id < (int)handles_.size() && handles_[id] == window) return id;
    window = GetParent(window);  // a combo box's edit, a page control's tab strip
  }
  return kFormItself;
}

bool Form::IsListViewWindow(HWND window) const {
  int row = RowOfWindow(window);
  return row >= 0 && Row(row).role == kRoleListView;
}

LRESULT Form::HandleCommand(WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam) - kFirstRowId;
  if (id < 0 || id >= (int)rowOfId_.size()) return 0;
  const ControlDescription& row = Row(id);
  int code = HIWORD(wParam);
  if (lParam == 0) {
    if (row.role == kRoleMenuItem && code == 0) Raise(kEventClick, id);
    return 0;
  }
  switch (row.role) {
    case kRoleRadioButton:
      if (code == BN_CLICKED) {
        SelectRadio(handles_[id]);
        Raise(kEventClick, id);
      }
      break;
    case kRoleButton:
    case kRoleSpeedButton:
    case kRoleCheckBox:
      if (code == BN_CLICKED) {
        Raise(kEventClick, id);
        if (row.modalResult != kModalNone) modalResult_ = row.modalResult;
      }
      break;
    case kRoleLabel:
    case kRoleStaticText:
      if (code == STN_CLICKED) Raise(kEventClick, id);
      break;
    case kRoleEdit:
      if (code == EN_CHANGE) Raise(kEventChange, id);
      if (code == EN_KILLFOCUS) Raise(kEventExit, id);
      break;
    case kRoleComboBox:
      // A pick in an editable combo box's list is told before its edit
      // shows the picked text: put it there, so that Change reads it.
      if (code == CBN_SELCHANGE && !(row.style & kStyleDropDownList)) ShowPickedItem(ComboBox(handles_[id]));
      if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) Raise(kEventChange, id);
      if (code == CBN_KILLFOCUS) Raise(kEventExit, id);
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
  int id = RowOfWindow(header->hwndFrom);
  if (id < 0) return 0;
  FormEvent event = {};
  event.control = id;
  event.allow = true;
  switch (Row(id).role) {
    case kRolePageControl:
      // A change made on the tab strip (its arrow keys, a click on a tab)
      // leaves the focus there once the new page shows, wherever the
      // Changing handler moved it meanwhile, so that the arrows go on
      // across the pages.
      if (header->code == TCN_SELCHANGING) {
        pageChangeOnTabs_ = GetFocus() == header->hwndFrom;
        return Raise(kEventChanging, id).allow ? FALSE : TRUE;
      }
      if (header->code == TCN_SELCHANGE) {
        SendMessageA(handles_[id], kMsgLayoutPages, pageChangeOnTabs_ ? 1 : 0, 0);
        pageChangeOnTabs_ = false;
        Raise(kEventChange, id);
      }
      break;
    case kRoleListView:
      if (header->code == LVN_ITEMCHANGED) {
        NMLISTVIEW* change = (NMLISTVIEW*)header;
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
          event.kind = kEventSelectItem;
          event.item = change->iItem;
          event.selected = (change->uNewState & LVIS_SELECTED) != 0;
          Raise(event);
        }
      } else if (header->code == NM_CLICK) {
        Raise(kEventClick, id);
      } else if (header->code == NM_DBLCLK) {
        Raise(kEventDblClick, id);
      }
      break;
    case kRoleUpDown:
      if (header->code == UDN_DELTAPOS) {
        event.kind = kEventUpDownClick;
        event.upButton = ((NMUPDOWN*)header)->iDelta > 0;
        // A nonzero answer keeps the position.
        return Raise(event).allow ? FALSE : TRUE;
      }
      break;
    case kRoleDateTimePicker:
      if (header->code == DTN_DATETIMECHANGE) Raise(kEventChange, id);
      break;
    default:
      break;
  }
  return 0;
}

// What controls tell their parent, the form or one of its containers.
LRESULT Form::ChildMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
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
      // Sent while the combo box is created, before its handle is known.
      MEASUREITEMSTRUCT* measure = (MEASUREITEMSTRUCT*)lParam;
      int id = (int)measure->CtlID - kFirstRowId;
      if (id >= 0 && id < (int)rowOfId_.size() && Row(id).itemHeight > 0) {
        measure->itemHeight = TheApplication.Scale(Row(id).itemHeight);
      }
      return TRUE;
    }
  }
  handled = false;
  return 0;
}

LRESULT Form::ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  LRESULT result = ChildMessage(message, wParam, lParam, handled);
  if (handled) return result;
  if (message == WM_LBUTTONUP) {
    int id = RowOfWindow(window);
    if (id >= 0 && Row(id).role == kRolePanel) {
      Raise(kEventClick, id);
      handled = true;
    }
  }
  return 0;
}

LRESULT Form::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  FormEvent event = {};
  event.control = kFormItself;
  switch (message) {
    case WM_MOUSEMOVE:
      event.kind = kEventMouseMove;
      break;
    // The second press of a quick pair comes as a double click (the form
    // class asks for them); it is a press like the first.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      event.kind = kEventMouseDown;
      break;
    default:
      event.kind = kEventMouseUp;
      break;
  }
  const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK;
  const bool middle = message == WM_MBUTTONDOWN || message == WM_MBUTTONUP || message == WM_MBUTTONDBLCLK;
  event.button = right ? kMouseRight : middle ? kMouseMiddle : kMouseLeft;
  event.shift = ShiftFromMouse(wParam);
  event.x = (short)LOWORD(lParam);
  event.y = (short)HIWORD(lParam);
  event.allow = true;
  Raise(event);
  return 0;
}

LRESULT Form::FormMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  LRESULT result = ChildMessage(message, wParam, lParam, handled);
  if (handled) return result;
  handled = true;
  switch (message) {
    case WM_CLOSE:
      if (!Raise(kEventCloseQuery, kFormItself).allow) return 0;
      if (modal_) {
        modalResult_ = kModalCancel;
      } else if (TheApplication.MainForm() == this) {
        PostQuitMessage(0);
      } else {
        Hide();
      }
      return 0;
    case WM_SHOWWINDOW:
      if (!destroying_ && lParam == 0) Raise(wParam ? kEventShow : kEventHide, kFormItself);
      break;
    case WM_ACTIVATE:
      if (!destroying_ && LOWORD(wParam) == WA_INACTIVE) Raise(kEventDeactivate, kFormItself);
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd_, &paint);
      Raise(kEventPaint, kFormItself);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      // A form that paints everything itself would only flicker.
      if (description_.flags & kFormPaintsAll) return 1;
      break;
    case WM_SETFONT:
      // The form's own font, for what it paints itself.
      font_ = (HFONT)wParam;
      if (LOWORD(lParam)) Repaint();
      return 0;
    case WM_GETFONT:
      return (LRESULT)font_;
    case WM_GETDLGCODE:
      if (description_.flags & kFormWantAllKeys) {
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
      }
      break;
    case WM_KEYDOWN:
      KeyDown(kFormItself, (WORD)wParam, KeyShift(message, lParam));
      return 0;
    case WM_SYSKEYDOWN: {
      // A system key that no handler swallows keeps its system meaning.
      WORD key = KeyDown(kFormItself, (WORD)wParam, KeyShift(message, lParam));
      return key ? DefWindowProcA(hwnd_, message, key, lParam) : 0;
    }
    case WM_CHAR:
      KeyPress(kFormItself, (char)wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      return HandleMouse(message, wParam, lParam);
    case WM_SIZE:
      for (int row = 0; row < description_.controlCount; ++row) {
        const ControlDescription& c = description_.controls[row];
        if (c.role == kRoleStatusBar) SendMessageA(handles_[c.id], WM_SIZE, 0, 0);
      }
      break;
  }
  handled = false;
  return 0;
}
