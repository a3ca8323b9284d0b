#pragma once
// Editing on the preview: the hit test that picks the item under a point,
// the edit state machine that moves and resizes the current item's
// rectangle with the mouse and the keys, the key table and the texts of
// the status line. Window-free: the preview window hands in client pixels,
// buttons and key codes, and answers the frame, cursor, status and focus
// calls of PreviewEditHost. A finished rectangle goes to the main window
// (MainWindowLink::SetItemRectFromPreview), which stores it with one undo
// entry.
#include <cstdint>

#include "ui/preview_geometry.h"

// The keys the preview acts on, by their Windows virtual-key codes.
enum PreviewKeyCode {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyInsert = 45,
  kKeyDelete = 46,
};

enum PreviewButton { kPreviewLeftButton, kPreviewRightButton, kPreviewOtherButton };

enum PreviewEditStateValue {
  kEditIdle = 0,
  kEditResize = 1,  // the lower-right corner follows the cursor
  kEditMove = 2,    // the rectangle follows the cursor
};

// The size of a rectangle drawn new with Insert (39 cells of the preview
// font, one row).
enum { kNewRectWidth = 312, kNewRectHeight = 16 };

// What the editor asks of the preview window.
class PreviewEditHost {
 public:
  virtual ~PreviewEditHost() {}
  // The selection frame on the window (SelectionFrame).
  virtual void EraseFocusRect() = 0;
  virtual void DrawSelectionFrame(const DrawingRect& rect) = 0;
  virtual void ShowCurrentItemFocus() = 0;
  // The status line's text.
  virtual void ShowStatus(const char* text) = 0;
  // The cursor in client pixels.
  virtual void CursorClientPosition(int32_t* x, int32_t* y) = 0;
  virtual void SetCursorClientPosition(int32_t x, int32_t y) = 0;
  // The window takes the keyboard focus.
  virtual void TakeFocus() = 0;
};

struct PreviewPoint {
  int32_t x, y;
};

// The editing state; all zero at start except PreviewEditOn.
struct PreviewEditing {
  int PreviewEditState;     // PreviewEditStateValue
  DrawingRect EditRect;     // right and bottom exclusive
  PreviewPoint MoveAnchor;  // the centre of EditRect after each step
  uint8_t AppendOnCommit;   // 1: EditRect was drawn new, the commit appends an item
  uint8_t ItemSelected;     // 1: the last hit test or Tab picked an item
  uint8_t PreviewEditOn;    // editing allowed (the main window's "Enable Edit")
};

class PreviewEditor {
 public:
  explicit PreviewEditor(PreviewEditHost& host);
  PreviewEditor(const PreviewEditor&) = delete;
  PreviewEditor& operator=(const PreviewEditor&) = delete;

  const PreviewEditing& State() const { return editing_; }

  // Selects the text line, menu entry or layout box under a client point
  // (in that order; boxes from the last one down) and switches the main
  // window to its list's page, or to the Layout page when nothing is hit.
  // True when the hit item was already the current item of the active list.
  bool HitTestPreview(int32_t x, int32_t y);
  // The next item of the active page's list, wrapping to item 1.
  void SelectNextItem();
  // EditRect = the current item's rectangle of list (0, 1 or 2); false for
  // an empty list or any other list.
  bool LoadItemRect(int list);
  // One step of the state machine for a cursor position in client pixels;
  // warp puts the cursor there too (the keyboard steps).
  void TrackPreviewMouse(int32_t x, int32_t y, bool warp);
  // The key table; key is a PreviewKeyCode (other codes do nothing).
  void PreviewKey(int key);
  void MouseDown(PreviewButton button, int32_t x, int32_t y);

  // Ends an edit without storing it: idle, the current item's frame.
  void CancelEdit();
  // The window is placed anew: idle, nothing to append.
  void ResetEdit();
  // Another window took the mouse and the keys (a click outside the
  // preview): an edit in progress ends without being stored.
  void PreviewLeft();
  // PreviewEditOn; switching it off ends an edit in progress, which the
  // window's keys could no longer finish.
  void SetEditEnabled(bool on);

 private:
  bool EditAllowed() const;
  void ClampPoint(int32_t* x, int32_t* y) const;
  void ClampEditRect();
  void ResizeTo(int32_t x, int32_t y);
  void KeepEditRectOnScreen();
  void CentreAnchor();
  void StartMoving(bool appendOnCommit);
  void Commit();
  void SpaceKey(int32_t cx, int32_t cy);
  void InsertKey(int32_t cx, int32_t cy);
  void ShowCursorPos(int32_t x, int32_t y);
  void ShowEditRect();

  PreviewEditHost& host_;
  PreviewEditing editing_;
};
