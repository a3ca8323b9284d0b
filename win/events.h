#pragma once
// What a form's event handlers receive. A form event (create, show, paint,
// the form's own keys and mouse) has control == kFormItself; a control or
// menu-item event names its row in the form's table.
#include <windows.h>

enum EventKind {
  kEventCreate,       // FormCreate: the window and every control exist
  kEventShow,         // the form became visible
  kEventHide,
  kEventCloseQuery,   // allow = false refuses the close
  kEventKeyDown,      // key = virtual-key code; set it to 0 to swallow it
  kEventKeyPress,     // keyChar = character; set it to 0 to swallow it
  kEventPaint,
  kEventMouseDown,    // button, shift, x, y in client pixels
  kEventMouseMove,
  kEventMouseUp,
  kEventClick,        // buttons, check and radio buttons, labels, panels, menu items
  kEventChange,       // edit text, combo selection, page control after the change
  kEventChanging,     // page control before the change; allow = false keeps the page
  kEventExit,         // edit or combo box lost the focus
  kEventDrawItem,     // owner-drawn combo box: item, draw
  kEventSelectItem,   // list view: item, selected
  kEventUpDownClick,  // up-down: upButton
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

enum { kFormItself = -1 };

struct FormEvent {
  EventKind kind;
  int control;          // row index in the form's table, or kFormItself
  WORD key;             // KeyDown, in and out
  char keyChar;         // KeyPress, in and out
  unsigned shift;       // ShiftState bits
  MouseButton button;
  int x, y;
  bool allow;           // CloseQuery, Changing: in true
  int item;             // DrawItem, SelectItem
  bool selected;        // SelectItem
  bool upButton;        // UpDownClick
  const DRAWITEMSTRUCT* draw;  // DrawItem
};
