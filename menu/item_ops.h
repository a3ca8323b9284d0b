#pragma once
// Every change to the item lists of TheDocument: append, insert, modify,
// delete and the four reorderings. Each takes an ItemList code 0..3 (other
// codes do nothing), works on that list's CurrentItem, records one undo
// entry, and ends by refreshing the list's view and fields, repainting the
// preview and marking the document modified.

void AppendItem(int list);   // new item after the current one
void InsertItem(int list);   // new item before the current one
void ModifyItem(int list);   // store the edit fields into the current item
void DeleteItem(int list);   // remove the current item
void MoveItemUp(int list);   // swap the current item with the one above
void MoveItemDown(int list); // swap the current item with the one below
void SwapItemWithFirst(int list);
void SwapItemWithLast(int list);

// Record moves within a list's arrays (all parallel parts of an item).
// Item numbers must lie in 1..the list's limit.
void CopyItemSlot(int list, int from, int to);
void SwapItemSlots(int list, int a, int b);
// Moves the items first..last one place up (from the last down) or one
// place down (from the first up).
void ShiftItemsUp(int list, int first, int last);
void ShiftItemsDown(int list, int first, int last);
