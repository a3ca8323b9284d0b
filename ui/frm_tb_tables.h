#pragma once
// The main window's controls by list and by field code, shared by its
// files (not for other windows). One routine serves each kind of control;
// these tables give it the code of the control that raised the event.
#include "ui/frm_tb.h"

// The controls of one item list's page; kNone where the page has none.
enum { kNone = -1 };
struct ListControls {
  int view;        // the report list
  int itemNo;      // CurrentItem
  int itemsNum;    // ItemCount
  int ulRow, ulCol, lrRow, lrCol;  // the coordinate fields
  int upButton;    // takes the focus before a page change or an undo
  int undoButton;
};
extern const ListControls kListControls[4];

// The page of an item list (1..4), or -1.
int PageOfList(int list);

// A control and the code its routine takes.
struct CodedControl {
  int control;
  int code;
};
// -1 when the control is not in the table.
int CodeOf(const CodedControl* table, int count, int control);

enum {
  kNumericFieldCount = 18,
  kTextFieldCount = 6,
  kColorComboCount = 13,
  kCursorKeyComboCount = 5,
  kListButtonCount = 24,
};
// The numeric edit fields by field code (FieldLimits, menu/document.h).
extern const CodedControl kNumericFields[kNumericFieldCount];
// The text fields by text code 1..6.
extern const CodedControl kTextFields[kTextFieldCount];
// The colour combos by combo code 0..12.
extern const CodedControl kColorCombos[kColorComboCount];
// The cursor-key target combos, which = 0 up, 1 down, 2 left, 3 right, 4 tab.
extern const CodedControl kCursorKeyCombos[kCursorKeyComboCount];
// The buttons of the four lists: code = kind * 4 + list.
extern const CodedControl kListButtons[kListButtonCount];

// The item list of each colour combo code (kNoList for a document setting)
// and the colour each combo shows before any item is.
extern const int kColorComboList[kColorComboCount];
extern const int kColorComboStart[kColorComboCount];
