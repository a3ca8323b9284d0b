#include "menu/undo.h"

#include "menu/document.h"
#include "menu/document_view.h"
#include "menu/item_ops.h"

// Ring slots run 1..kUndoDepth.
static int NextRingSlot(int slot) { return slot >= kUndoDepth ? 1 : slot + 1; }
static int PreviousRingSlot(int slot) { return slot <= 1 ? kUndoDepth : slot - 1; }

template <class Record>
static void ClearRing(SavedItemRing<Record>& ring) {
  ring.nextSlot = 1;
  ring.count = 0;
}

template <class Record>
static void PushCopy(SavedItemRing<Record>& ring, const Record& record) {
  ring.slots[ring.nextSlot] = record;
  ring.nextSlot = NextRingSlot(ring.nextSlot);
  if (ring.count < kUndoDepth) ring.count++;
}

// Takes the newest copy off the ring; false (record untouched) when empty.
template <class Record>
static bool PopCopy(SavedItemRing<Record>& ring, Record& record) {
  if (ring.count == 0) return false;
  ring.nextSlot = PreviousRingSlot(ring.nextSlot);
  record = ring.slots[ring.nextSlot];
  ring.count--;
  return true;
}

static void SaveItemCopy(int list, int item) {
  MenuDocument& doc = TheDocument;
  UndoHistory& undo = doc.Undo;
  switch (list) {
    case kLayoutList: PushCopy(undo.savedLayout, doc.layoutItems[item]); break;
    case kTextList: PushCopy(undo.savedText, doc.textItems[item]); break;
    case kMenuList: {
      MenuItem copy = {doc.menuKeys[item], doc.menuGeometry[item], doc.menuStrings[item]};
      PushCopy(undo.savedMenu, copy);
      break;
    }
    case kFunctionKeyList: PushCopy(undo.savedFunctionKeys, doc.functionKeys[item]); break;
  }
}

static void RestoreItemCopy(int list, int item) {
  MenuDocument& doc = TheDocument;
  UndoHistory& undo = doc.Undo;
  switch (list) {
    case kLayoutList: PopCopy(undo.savedLayout, doc.layoutItems[item]); break;
    case kTextList: PopCopy(undo.savedText, doc.textItems[item]); break;
    case kMenuList: {
      MenuItem copy;
      if (PopCopy(undo.savedMenu, copy)) {
        doc.menuKeys[item] = copy.keys;
        doc.menuGeometry[item] = copy.geometry;
        doc.menuStrings[item] = copy.strings;
      }
      break;
    }
    case kFunctionKeyList: PopCopy(undo.savedFunctionKeys, doc.functionKeys[item]); break;
  }
}

static void DiscardItemCopy(int list) {
  UndoHistory& undo = TheDocument.Undo;
  switch (list) {
    case kLayoutList: { LayoutItem scrap; PopCopy(undo.savedLayout, scrap); break; }
    case kTextList: { TextItem scrap; PopCopy(undo.savedText, scrap); break; }
    case kMenuList: { MenuItem scrap; PopCopy(undo.savedMenu, scrap); break; }
    case kFunctionKeyList: { FunctionKeyItem scrap; PopCopy(undo.savedFunctionKeys, scrap); break; }
  }
}

void ResetUndo() {
  UndoHistory& undo = TheDocument.Undo;
  undo.count = 0;
  undo.top = 1;
  ClearRing(undo.savedLayout);
  ClearRing(undo.savedText);
  ClearRing(undo.savedMenu);
  ClearRing(undo.savedFunctionKeys);
  TheDocumentView().EnableUndoButtons(false);
}

int UndoEntryCount() { return TheDocument.Undo.count; }

void PushUndo(int kind, int list, int item, int value) {
  if (list < 0 || list >= kListCount) return;
  bool savesCopy = kind == kUndoDeleted || kind == kUndoModified;
  if (savesCopy && (item < 1 || item > ListLimitOf(list))) return;
  UndoHistory& undo = TheDocument.Undo;
  if (undo.top < 1 || undo.top > kUndoDepth) undo.top = 1;
  undo.ring[undo.top] = {kind, list, item, value};
  if (savesCopy) SaveItemCopy(list, item);
  undo.top = NextRingSlot(undo.top);
  if (undo.count < kUndoDepth) undo.count++;
  TheDocumentView().EnableUndoButtons(true);
}

// An entry can be taken back only when the item numbers it names fit the
// list as it is now; the history and the lists always agree unless
// something changed a list behind the operations' back, and then nothing
// may be moved outside the arrays.
static bool EntryFitsList(const UndoEntry& entry) {
  const MenuDocument& doc = TheDocument;
  int count = doc.ItemCount[entry.list];
  switch (entry.kind) {
    case kUndoAdded:
    case kUndoModified: return entry.item >= 1 && entry.item <= count;
    case kUndoDeleted:
      return entry.item >= 1 && entry.item <= count + 1 && count + 1 <= ListLimitOf(entry.list);
    case kUndoSwapped:
      return entry.item >= 1 && entry.item <= count && entry.value >= 1 && entry.value <= count;
    default: return false;
  }
}

// Takes back one entry that fits its list.
static void TakeBack(const UndoEntry& entry) {
  MenuDocument& doc = TheDocument;
  DocumentView& view = TheDocumentView();
  int list = entry.list;
  switch (entry.kind) {
    case kUndoAdded: {
      int oldCount = doc.ItemCount[list];
      doc.CurrentItem[list] = entry.item;
      doc.ItemCount[list] -= 1;
      ShiftItemsDown(list, entry.item + 1, oldCount);
      if (doc.CurrentItem[list] > doc.ItemCount[list]) doc.CurrentItem[list] = doc.ItemCount[list];
      view.RefreshListViews(list);
      view.ShowCurrentItem(list);
      view.RepaintPreview();
      break;
    }
    case kUndoDeleted:
      doc.CurrentItem[list] = entry.item;
      doc.ItemCount[list] += 1;
      if (entry.item < doc.ItemCount[list]) ShiftItemsUp(list, entry.item, doc.ItemCount[list] - 1);
      RestoreItemCopy(list, entry.item);
      view.RefreshListViews(list);
      view.ShowCurrentItem(list);
      view.RepaintPreview();
      break;
    case kUndoModified:
      RestoreItemCopy(list, entry.item);
      doc.CurrentItem[list] = entry.item;
      view.ShowCurrentItem(list);
      view.RefreshListViews(list);
      if (entry.value == 1) view.RepaintPreview();
      break;
    case kUndoSwapped:
      SwapItemSlots(list, entry.item, entry.value);
      doc.CurrentItem[list] = entry.item;
      view.RefreshListViews(list);
      view.ShowCurrentItem(list);
      view.RepaintPreview();
      break;
  }
}

void PopUndo() {
  UndoHistory& undo = TheDocument.Undo;
  if (undo.count == 0) return;
  DocumentView& view = TheDocumentView();
  // Lets a pending field commit run first; it may record an entry itself,
  // which is then the one taken back.
  view.FocusMoveUpButton();
  undo.top = PreviousRingSlot(undo.top);
  UndoEntry entry = undo.ring[undo.top];
  if (entry.list >= 0 && entry.list < kListCount) {
    if (entry.list != view.CurrentList()) view.ShowListPage(entry.list);
    if (EntryFitsList(entry)) {
      TakeBack(entry);
    } else if (entry.kind == kUndoDeleted || entry.kind == kUndoModified) {
      DiscardItemCopy(entry.list);  // keeps the copies in step with the entries
    }
  }
  undo.count--;
  if (undo.count == 0) view.EnableUndoButtons(false);
}
