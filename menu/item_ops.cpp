#include "menu/item_ops.h"

#include <cstdio>
#include <utility>

#include "app/language.h"
#include "app/string_ids.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/undo.h"
#include "platform/message_box.h"

// True for the four list codes. Also brings a list whose count or current
// item was set out of range from outside back within its array, so that no
// operation reads or writes past it.
static bool IsItemList(int list) {
  if (list < 0 || list >= kListCount) return false;
  MenuDocument& doc = TheDocument;
  if (doc.ItemCount[list] > ListLimitOf(list)) doc.ItemCount[list] = (uint8_t)ListLimitOf(list);
  int count = doc.ItemCount[list];
  if (count == 0) {
    doc.CurrentItem[list] = 0;
  } else if (doc.CurrentItem[list] < 1) {
    doc.CurrentItem[list] = 1;
  } else if (doc.CurrentItem[list] > count) {
    doc.CurrentItem[list] = count;
  }
  return true;
}

void CopyItemSlot(int list, int from, int to) {
  MenuDocument& doc = TheDocument;
  switch (list) {
    case kLayoutList: doc.layoutItems[to] = doc.layoutItems[from]; break;
    case kTextList: doc.textItems[to] = doc.textItems[from]; break;
    case kMenuList:
      doc.menuKeys[to] = doc.menuKeys[from];
      doc.menuGeometry[to] = doc.menuGeometry[from];
      doc.menuStrings[to] = doc.menuStrings[from];
      break;
    case kFunctionKeyList: doc.functionKeys[to] = doc.functionKeys[from]; break;
  }
}

void SwapItemSlots(int list, int a, int b) {
  MenuDocument& doc = TheDocument;
  switch (list) {
    case kLayoutList: std::swap(doc.layoutItems[a], doc.layoutItems[b]); break;
    case kTextList: std::swap(doc.textItems[a], doc.textItems[b]); break;
    case kMenuList:
      std::swap(doc.menuKeys[a], doc.menuKeys[b]);
      std::swap(doc.menuGeometry[a], doc.menuGeometry[b]);
      std::swap(doc.menuStrings[a], doc.menuStrings[b]);
      break;
    case kFunctionKeyList: std::swap(doc.functionKeys[a], doc.functionKeys[b]); break;
  }
}

void ShiftItemsUp(int list, int first, int last) {
  for (int n = last; n >= first; n--) CopyItemSlot(list, n, n + 1);
}

void ShiftItemsDown(int list, int first, int last) {
  for (int n = first; n <= last; n++) CopyItemSlot(list, n, n - 1);
}

// The end of every successful change: views, fields, preview, flag.
static void FinishChange(int list, bool showItem) {
  DocumentView& view = TheDocumentView();
  view.RefreshListViews(list);
  if (showItem) view.ShowCurrentItem(list);
  view.RepaintPreview();
  TheDocument.DocumentModified = 1;
}

// Shows "<kind><Item Number Exceeds Limit> <limit>" and returns true when
// the list cannot take another item. The function-key list has no kind
// name among the texts; its message starts with the limit text itself.
static bool RefuseWhenFull(int list) {
  const MenuDocument& doc = TheDocument;
  int limit = doc.ItemLimit[list];
  if (limit > ListLimitOf(list)) limit = ListLimitOf(list);
  if (doc.ItemCount[list] + 1 <= limit) return false;
  const char* kind = list < kFunctionKeyList ? GetString(kStrLayoutKind + list) : "";
  char text[1024];
  snprintf(text, sizeof text, "%s%s %d", kind, GetString(kStrItemLimit), limit);
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionError), kMbOk | kMbIconError);
  return true;
}

// A new item's fields come from the view's defaults. The hot-spot flag of
// a menu item has no default field; a new item starts with it cleared
// rather than inheriting it from the slot it takes.
static void FillNewItem(int list) {
  int current = TheDocument.CurrentItem[list];
  if (list == kMenuList) TheDocument.menuStrings[current].useImageText = 0;
  DocumentView& view = TheDocumentView();
  view.SetNewItemDefaults(list);
  view.StoreCurrentItem(list);
}

void AppendItem(int list) {
  if (!IsItemList(list) || RefuseWhenFull(list)) return;
  MenuDocument& doc = TheDocument;
  doc.CurrentItem[list] += 1;
  doc.ItemCount[list] += 1;
  if (doc.CurrentItem[list] < doc.ItemCount[list]) {
    ShiftItemsUp(list, doc.CurrentItem[list], doc.ItemCount[list] - 1);
  }
  FillNewItem(list);
  PushUndo(kUndoAdded, list, doc.CurrentItem[list], 1);
  FinishChange(list, true);
}

void InsertItem(int list) {
  if (!IsItemList(list)) return;
  MenuDocument& doc = TheDocument;
  if (doc.ItemCount[list] == 0) {
    AppendItem(list);
    return;
  }
  if (RefuseWhenFull(list)) return;
  doc.ItemCount[list] += 1;
  ShiftItemsUp(list, doc.CurrentItem[list], doc.ItemCount[list] - 1);
  FillNewItem(list);
  PushUndo(kUndoAdded, list, doc.CurrentItem[list], 0);
  FinishChange(list, true);
}

void ModifyItem(int list) {
  if (!IsItemList(list)) return;
  MenuDocument& doc = TheDocument;
  if (doc.ItemCount[list] == 0) {
    AppendItem(list);
    return;
  }
  PushUndo(kUndoModified, list, doc.CurrentItem[list], 1);
  TheDocumentView().StoreCurrentItem(list);
  FinishChange(list, false);
}

void DeleteItem(int list) {
  if (!IsItemList(list)) return;
  MenuDocument& doc = TheDocument;
  if (doc.ItemCount[list] == 0) return;
  int oldCount = doc.ItemCount[list];
  int current = doc.CurrentItem[list];
  doc.ItemCount[list] -= 1;
  PushUndo(kUndoDeleted, list, current, 1);
  ShiftItemsDown(list, current + 1, oldCount);
  if (doc.CurrentItem[list] > doc.ItemCount[list]) doc.CurrentItem[list] = doc.ItemCount[list];
  FinishChange(list, true);
}

// Exchanges the current item with item other, makes other current and
// records the swap.
static void SwapCurrentWith(int list, int other) {
  MenuDocument& doc = TheDocument;
  int current = doc.CurrentItem[list];
  SwapItemSlots(list, current, other);
  doc.CurrentItem[list] = other;
  PushUndo(kUndoSwapped, list, current, other);
  FinishChange(list, true);
}

// The current item when it is a real item of a list of at least two.
static int CurrentOfReorderableList(int list) {
  if (!IsItemList(list)) return 0;
  const MenuDocument& doc = TheDocument;
  int current = doc.CurrentItem[list];
  if (doc.ItemCount[list] < 2 || current < 1 || current > doc.ItemCount[list]) return 0;
  return current;
}

void MoveItemUp(int list) {
  int current = CurrentOfReorderableList(list);
  if (current >= 2) SwapCurrentWith(list, current - 1);
}

void SwapItemWithFirst(int list) {
  int current = CurrentOfReorderableList(list);
  if (current >= 2) SwapCurrentWith(list, 1);
}

void MoveItemDown(int list) {
  int current = CurrentOfReorderableList(list);
  if (current >= 1 && current < TheDocument.ItemCount[list]) SwapCurrentWith(list, current + 1);
}

void SwapItemWithLast(int list) {
  int current = CurrentOfReorderableList(list);
  if (current >= 1 && current < TheDocument.ItemCount[list]) {
    SwapCurrentWith(list, TheDocument.ItemCount[list]);
  }
}
