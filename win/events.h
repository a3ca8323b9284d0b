#pragma once
// What a form's event handlers receive. A form event (create, show, paint,
// the form's own keys and mouse) has control == kFormItself; a control or
// menu-item event names its row by the form's name enum.
#include <windows.h>

#include "win/form_description.h"

enum EventKind {
  kEventCreate,       // FormCreate: the window and every control exist
  kEventShow,         // the form became visible
  kEventHide,
  kEventDeactivate,   // the form stopped being the active window (a click on another)
  kEventCloseQuery,   // allow = false refuses the close
  kEventKeyDown,      // key = virtual-key code (also Alt+key and F10); set
                      // it to 0 to swallow it, or to another code
  kEventKeyPress,     // keyChar = character; set it to 0 to swallow it
  kEventPaint,
  kEventMouseDown,    // button, shift, x, y in client pixels
  kEventMouseMove,
  kEventMouseUp,
  kEventClick,        // buttons, check and radio buttons, labels, panels,
                      // menu items, list views (a click of the mouse)
  kEventDblClick,     // list view: a double click
  kEventChange,       // edit text, combo selection, page control after the change
  kEventChanging,     // page control before the change; allow = false keeps the page
  kEventExit,         // edit or combo box lost the focus
  kEventDrawItem,     // owner-drawn combo box: item, draw
  kEventSelectItem,   // list view: item, selected
  kEventUpDownClick,  // up-down, before the step: upButton; allow = false refuses it
};

enum MouseButton { kMouseLeft, kMouseRight, kMouseMiddle };

// Shift state bits of key and mouse events.
enum ShiftState {
  kShiftKey = 0x01,
  kShiftAlt = 0x02,
  kShiftCtrl = 0x04,
  kShiftLeft = 0x08,
  kShiftRight = 0x10,
  kShiftMiddle = 0x20,
};

struct FormEvent {
  EventKind kind;
  int control;          // the row's name (enum value), or kFormItself
  WORD key;             // KeyDown, in and out
  char keyChar;         // KeyPress, in and out
  unsigned shift;       // ShiftState bits
  MouseButton button;
  int x, y;
  bool allow;           // CloseQuery, Changing, UpDownClick: in true
  int item;             // DrawItem, SelectItem
  bool selected;        // SelectItem
  bool upButton;        // UpDownClick
  const DRAWITEMSTRUCT* draw;  // DrawItem
};
