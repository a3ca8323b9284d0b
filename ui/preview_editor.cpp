#include "ui/preview_editor.h"

#include <cstdio>

#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/item_ops.h"
#include "menu/undo.h"
#include "ui/designer_links.h"

namespace {

bool Inside(int32_t value, int32_t low, int32_t high) { return low <= value && value <= high; }

int32_t Limit(int32_t value, int32_t low, int32_t high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

// The list of a page with an item list (pages 1, 2, 3), else kNoList.
int ListOfPage(int page) {
  switch (page) {
    case 1: return kLayoutList;
    case 2: return kTextList;
    case 3: return kMenuList;
    default: return kNoList;
  }
}

// The first text line, from item 1 up, whose drawn text covers the point:
// the columns the painter fills and the rows of the whole stored rectangle.
int HitTextLine(int32_t x, int32_t y) {
  const MenuDocument& doc = TheDocument;
  for (int i = 1; i <= doc.ItemCount[kTextList] && i <= kMaxTextItems; ++i) {
    const TextItem& line = doc.textItems[i];
    const int length = TrimmedTextLength(line.text, kItemTextSize);
    const int32_t start = TextLineStart(line.geometry, length);
    if (start <= x && x < start + kPreviewCellWidth * length && Inside(y, line.geometry.y1, line.geometry.y2)) {
      return i;
    }
  }
  return 0;
}

int HitMenuEntry(int32_t x, int32_t y) {
  const MenuDocument& doc = TheDocument;
  for (int i = 1; i <= doc.ItemCount[kMenuList] && i <= kMaxMenuItems; ++i) {
    const MenuItemGeometry& entry = doc.menuGeometry[i];
    if (Inside(x, entry.x1, entry.x2) && Inside(y, entry.y1, entry.y2)) return i;
  }
  return 0;
}

// The box drawn last is on top, so the search runs from the last one down.
int HitLayoutBox(int32_t x, int32_t y) {
  const MenuDocument& doc = TheDocument;
  int count = doc.ItemCount[kLayoutList];
  if (count > kMaxLayoutItems) count = kMaxLayoutItems;
  for (int i = count; i >= 1; --i) {
    const LayoutItem& box = doc.layoutItems[i];
    if (Inside(x, box.x1, box.x2) && Inside(y, box.y1, box.y2)) return i;
  }
  return 0;
}

}  // namespace

PreviewEditor::PreviewEditor(PreviewEditHost& host) : host_(host), editing_() { editing_.PreviewEditOn = 1; }

bool PreviewEditor::EditAllowed() const {
  return editing_.PreviewEditOn != 0 && TheDocumentView().CurrentList() != kNoList;
}

void PreviewEditor::ClampPoint(int32_t* x, int32_t* y) const {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  *x = Limit(*x, 0, screen.width - 1);
  *y = Limit(*y, 0, screen.height - 1);
}

void PreviewEditor::ClampEditRect() {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  DrawingRect& rect = editing_.EditRect;
  rect.left = Limit(rect.left, 0, screen.width - 1);
  rect.top = Limit(rect.top, 0, screen.height - 1);
  rect.right = Limit(rect.right, 1, screen.width);
  rect.bottom = Limit(rect.bottom, 1, screen.height);
}

// The lower-right corner goes to the point; the rectangle never turns
// inside out and stays at least 1 x 1 with its top-left corner in place.
void PreviewEditor::ResizeTo(int32_t x, int32_t y) {
  DrawingRect& rect = editing_.EditRect;
  if (x < rect.left) x = rect.left;
  if (y < rect.top) y = rect.top;
  rect.right = x + 1;
  rect.bottom = y + 1;
}

// A moved rectangle keeps its size and stays whole on the screen: at an
// edge it stops, while the cursor goes on (only a rectangle larger than the
// screen still reaches past its right or lower edge).
void PreviewEditor::KeepEditRectOnScreen() {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  DrawingRect& rect = editing_.EditRect;
  int32_t dx = 0, dy = 0;
  if (rect.right > screen.width) dx = screen.width - rect.right;
  if (rect.left + dx < 0) dx = -rect.left;
  if (rect.bottom > screen.height) dy = screen.height - rect.bottom;
  if (rect.top + dy < 0) dy = -rect.top;
  rect = DrawingRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

void PreviewEditor::CentreAnchor() {
  const DrawingRect& rect = editing_.EditRect;
  editing_.MoveAnchor = PreviewPoint{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Brings EditRect whole onto the screen, puts the cursor on its centre and
// starts moving it. The window takes the focus, which the edit's keys need:
// once another window takes it (a click outside the preview), the edit ends.
void PreviewEditor::StartMoving(bool appendOnCommit) {
  KeepEditRectOnScreen();
  CentreAnchor();
  host_.SetCursorClientPosition(editing_.MoveAnchor.x, editing_.MoveAnchor.y);
  editing_.PreviewEditState = kEditMove;
  editing_.AppendOnCommit = appendOnCommit ? 1 : 0;
  host_.TakeFocus();
}

void PreviewEditor::ShowCursorPos(int32_t x, int32_t y) {
  char text[32];
  snprintf(text, sizeof text, "(%d,%d)", (int)y, (int)x);
  host_.ShowStatus(text);
}

void PreviewEditor::ShowEditRect() {
  const DrawingRect& rect = editing_.EditRect;
  char text[64];
  snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", (int)rect.top, (int)rect.left, (int)rect.bottom - 1,
           (int)rect.right - 1);
  host_.ShowStatus(text);
}

bool PreviewEditor::HitTestPreview(int32_t x, int32_t y) {
  editing_.ItemSelected = 0;
  int list = kTextList;
  int item = HitTextLine(x, y);
  if (item == 0) {
    list = kMenuList;
    item = HitMenuEntry(x, y);
  }
  if (item == 0) {
    list = kLayoutList;
    item = HitLayoutBox(x, y);
  }
  const int activeList = TheDocumentView().CurrentList();
  bool wasCurrent = false;
  if (item != 0) {
    wasCurrent = list == activeList && TheDocument.CurrentItem[list] == item;
    TheDocument.CurrentItem[list] = item;
    editing_.ItemSelected = 1;
  }
  if (list != activeList) TheDocumentView().ShowListPage(list);
  return wasCurrent;
}

void PreviewEditor::SelectNextItem() {
  editing_.ItemSelected = 0;
  const int list = ListOfPage(TheMainWindowLink().CurrentPage());
  if (list == kNoList || TheDocument.ItemCount[list] == 0) return;
  int32_t& current = TheDocument.CurrentItem[list];
  current = current + 1 > TheDocument.ItemCount[list] ? 1 : current + 1;
  editing_.ItemSelected = 1;
}

bool PreviewEditor::LoadItemRect(int list) {
  const MenuDocument& doc = TheDocument;
  if (list < kLayoutList || list > kMenuList) return false;
  const int item = doc.CurrentItem[list];
  if (doc.ItemCount[list] == 0 || item < 1 || item > doc.ItemCount[list] || item > ListLimitOf(list)) {
    return false;
  }
  int32_t x1, y1, x2, y2;
  if (list == kLayoutList) {
    const LayoutItem& box = doc.layoutItems[item];
    x1 = box.x1, y1 = box.y1, x2 = box.x2, y2 = box.y2;
  } else if (list == kTextList) {
    const TextItemGeometry& line = doc.textItems[item].geometry;
    x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
  } else {
    const MenuItemGeometry& entry = doc.menuGeometry[item];
    x1 = entry.x1, y1 = entry.y1, x2 = entry.x2, y2 = entry.y2;
  }
  editing_.EditRect = DrawingRect{x1, y1, x2 + 1, y2 + 1};
  return true;
}

void PreviewEditor::TrackPreviewMouse(int32_t x, int32_t y, bool warp) {
  if (editing_.PreviewEditState == kEditIdle) {
    ShowCursorPos(x, y);
    if (warp) {
      ClampPoint(&x, &y);
      host_.SetCursorClientPosition(x, y);
    }
    return;
  }
  if (!EditAllowed()) return;
  ClampPoint(&x, &y);
  host_.EraseFocusRect();
  DrawingRect& rect = editing_.EditRect;
  if (editing_.PreviewEditState == kEditResize) {
    ResizeTo(x, y);
    host_.DrawSelectionFrame(rect);
  } else {
    const int32_t dx = x - editing_.MoveAnchor.x;
    const int32_t dy = y - editing_.MoveAnchor.y;
    rect = DrawingRect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    KeepEditRectOnScreen();
    host_.DrawSelectionFrame(rect);
    CentreAnchor();
  }
  ShowEditRect();
  if (warp) host_.SetCursorClientPosition(x, y);
}

// Stores the rectangle, clamped to the screen, into the current item (or
// a new one after it) through the main window's coordinate fields.
void PreviewEditor::Commit() {
  ClampEditRect();
  host_.ShowCurrentItemFocus();
  editing_.PreviewEditState = kEditIdle;
  const DrawingRect& rect = editing_.EditRect;
  TheMainWindowLink().SetItemRectFromPreview((uint16_t)rect.top, (uint16_t)rect.left, (uint16_t)(rect.bottom - 1),
                                             (uint16_t)(rect.right - 1), editing_.AppendOnCommit != 0);
  host_.TakeFocus();
}

void PreviewEditor::CancelEdit() {
  editing_.PreviewEditState = kEditIdle;
  host_.ShowCurrentItemFocus();
}

void PreviewEditor::ResetEdit() {
  editing_.PreviewEditState = kEditIdle;
  editing_.AppendOnCommit = 0;
}

void PreviewEditor::PreviewLeft() {
  if (editing_.PreviewEditState != kEditIdle) CancelEdit();
}

void PreviewEditor::SetEditEnabled(bool on) {
  if (!on && editing_.PreviewEditState != kEditIdle) CancelEdit();
  editing_.PreviewEditOn = on ? 1 : 0;
}

void PreviewEditor::SpaceKey(int32_t cx, int32_t cy) {
  switch (editing_.PreviewEditState) {
    case kEditIdle:
      if (LoadItemRect(TheDocumentView().CurrentList())) StartMoving(false);
      break;
    case kEditResize:
      // The corner goes where the cursor is, as a mouse step would put it.
      host_.EraseFocusRect();
      ClampPoint(&cx, &cy);
      ResizeTo(cx, cy);
      host_.DrawSelectionFrame(editing_.EditRect);
      CentreAnchor();
      host_.SetCursorClientPosition(editing_.MoveAnchor.x, editing_.MoveAnchor.y);
      editing_.PreviewEditState = kEditMove;
      break;
    default:
      host_.SetCursorClientPosition(editing_.EditRect.right - 1, editing_.EditRect.bottom - 1);
      editing_.PreviewEditState = kEditResize;
      break;
  }
}

void PreviewEditor::InsertKey(int32_t cx, int32_t cy) {
  if (editing_.PreviewEditState != kEditIdle) return;
  host_.EraseFocusRect();
  editing_.EditRect = DrawingRect{cx, cy, cx + kNewRectWidth, cy + kNewRectHeight};
  KeepEditRectOnScreen();
  host_.DrawSelectionFrame(editing_.EditRect);
  StartMoving(true);
}

void PreviewEditor::PreviewKey(int key) {
  if (key == kKeyBackspace) {
    // An undo may switch the page and the list: an edit in progress would
    // then be stored into an item of another list, so it ends first.
    if (editing_.PreviewEditState != kEditIdle) CancelEdit();
    PopUndo();
    host_.TakeFocus();
    return;
  }
  if (!EditAllowed()) return;
  int32_t cx = 0, cy = 0;
  host_.CursorClientPosition(&cx, &cy);
  const int list = TheDocumentView().CurrentList();
  switch (key) {
    case kKeyTab:
      SelectNextItem();
      if (editing_.ItemSelected) {
        TheMainWindowLink().RefreshCurrentItem();
        host_.ShowCurrentItemFocus();
        host_.TakeFocus();
      }
      break;
    case kKeyEnter:
      if (editing_.PreviewEditState != kEditIdle) Commit();
      break;
    case kKeyEscape:
      CancelEdit();
      break;
    case kKeySpace:
      SpaceKey(cx, cy);
      break;
    case kKeyPageUp:
      MoveItemUp(list);
      host_.TakeFocus();
      break;
    case kKeyPageDown:
      MoveItemDown(list);
      host_.TakeFocus();
      break;
    case kKeyEnd:
      SwapItemWithLast(list);
      host_.TakeFocus();
      break;
    case kKeyHome:
      SwapItemWithFirst(list);
      host_.TakeFocus();
      break;
    case kKeyLeft:
      TrackPreviewMouse(cx - 1, cy, true);
      break;
    case kKeyUp:
      TrackPreviewMouse(cx, cy - 1, true);
      break;
    case kKeyRight:
      TrackPreviewMouse(cx + 1, cy, true);
      break;
    case kKeyDown:
      TrackPreviewMouse(cx, cy + 1, true);
      break;
    case kKeyInsert:
      InsertKey(cx, cy);
      break;
    case kKeyDelete:
      DeleteItem(list);
      host_.TakeFocus();
      break;
    default:
      break;
  }
}

void PreviewEditor::MouseDown(PreviewButton button, int32_t x, int32_t y) {
  bool wasCurrent = false;
  if (button == kPreviewLeftButton && editing_.PreviewEditState == kEditIdle) {
    wasCurrent = HitTestPreview(x, y);
    if (editing_.ItemSelected && !wasCurrent) {
      TheMainWindowLink().RefreshCurrentItem();
      host_.ShowCurrentItemFocus();
      host_.TakeFocus();
    }
  }
  if (!EditAllowed()) return;
  const bool editing = editing_.PreviewEditState != kEditIdle;
  if (button == kPreviewLeftButton) {
    // A second click on the current item starts moving it; a click while
    // editing switches between moving and resizing.
    if (editing || (editing_.ItemSelected && wasCurrent)) PreviewKey(kKeySpace);
  } else if (button == kPreviewRightButton) {
    PreviewKey(editing ? kKeyEnter : kKeyInsert);
  }
}
