#include "menu/undo.h"

#include <cstring>

#include "item_fixture.h"

namespace {

typedef std::vector<int> Order;

TEST_F(ItemListTest, UndoOfAnAddRemovesExactlyTheAddedItem) {
  Fill(kLayoutList, 5);
  TheDocument.CurrentItem[kLayoutList] = 2;
  SetFields(kLayoutList, 9);
  AppendItem(kLayoutList);
  TheDocument.CurrentItem[kLayoutList] = 5;
  SetFields(kLayoutList, 8);
  InsertItem(kLayoutList);
  ASSERT_EQ(Order({1, 2, 9, 3, 8, 4, 5}), Markers(kLayoutList));

  PopUndo();
  EXPECT_EQ(Order({1, 2, 9, 3, 4, 5}), Markers(kLayoutList));
  EXPECT_EQ(5, TheDocument.CurrentItem[kLayoutList]);
  PopUndo();
  EXPECT_EQ(Order({1, 2, 3, 4, 5}), Markers(kLayoutList));
  EXPECT_EQ(3, TheDocument.CurrentItem[kLayoutList]);
}

TEST_F(ItemListTest, UndoOfTheLastItemsAddLeavesTheListEmpty) {
  Fill(kTextList, 1);
  PopUndo();
  EXPECT_EQ(0, TheDocument.ItemCount[kTextList]);
  EXPECT_EQ(0, TheDocument.CurrentItem[kTextList]);
  EXPECT_EQ(0, UndoEntryCount());
  EXPECT_FALSE(view.undoButtonsEnabled);
}

TEST_F(ItemListTest, UndoOfADeleteBringsTheItemBackAtItsNumber) {
  Fill(kMenuList, 4);
  TheDocument.CurrentItem[kMenuList] = 4;
  DeleteItem(kMenuList);
  EXPECT_EQ(3, TheDocument.CurrentItem[kMenuList]);
  TheDocument.CurrentItem[kMenuList] = 1;
  DeleteItem(kMenuList);
  ASSERT_EQ(Order({2, 3}), Markers(kMenuList));

  PopUndo();
  EXPECT_EQ(Order({1, 2, 3}), Markers(kMenuList));
  EXPECT_EQ(1, TheDocument.CurrentItem[kMenuList]);
  PopUndo();
  EXPECT_EQ(Order({1, 2, 3, 4}), Markers(kMenuList));
  EXPECT_EQ(4, TheDocument.CurrentItem[kMenuList]);
}

TEST_F(ItemListTest, UndoOfDeletingTheOnlyItemRestoresIt) {
  Fill(kFunctionKeyList, 1);
  DeleteItem(kFunctionKeyList);
  EXPECT_EQ(0, TheDocument.CurrentItem[kFunctionKeyList]);
  PopUndo();
  EXPECT_EQ(Order({1}), Markers(kFunctionKeyList));
  EXPECT_EQ(1, TheDocument.CurrentItem[kFunctionKeyList]);
}

TEST_F(ItemListTest, UndoOfAFieldChangeRestoresEveryPartOfTheItem) {
  Fill(kMenuList, 3);
  TheDocument.CurrentItem[kMenuList] = 2;
  MenuDocument& doc = TheDocument;
  doc.menuStrings[2].useImageText = 1;
  strcpy(doc.menuStrings[2].password, "se cret");
  doc.menuKeys[2].tab = 3;
  doc.menuGeometry[2].highlightColors = 0x4F;
  MenuItemKeys keys = doc.menuKeys[2];
  MenuItemGeometry geometry = doc.menuGeometry[2];
  MenuItemStrings strings = doc.menuStrings[2];

  SetFields(kMenuList, 7);
  ModifyItem(kMenuList);
  ASSERT_EQ(7, Marker(kMenuList, 2));
  TheDocument.CurrentItem[kMenuList] = 3;
  view.calls.clear();
  PopUndo();
  EXPECT_EQ(0, memcmp(&keys, &doc.menuKeys[2], sizeof keys));
  EXPECT_EQ(0, memcmp(&geometry, &doc.menuGeometry[2], sizeof geometry));
  EXPECT_EQ(0, memcmp(&strings, &doc.menuStrings[2], sizeof strings));
  EXPECT_EQ(2, doc.CurrentItem[kMenuList]);
  EXPECT_TRUE(view.Called("ShowCurrentItem(2)"));
  EXPECT_TRUE(view.Called("RepaintPreview"));
}

TEST_F(ItemListTest, UndoOfASwapRestoresTheOrderAndTheCurrentItem) {
  Fill(kLayoutList, 6);
  TheDocument.CurrentItem[kLayoutList] = 4;
  SwapItemWithFirst(kLayoutList);
  ASSERT_EQ(Order({4, 2, 3, 1, 5, 6}), Markers(kLayoutList));
  PopUndo();
  EXPECT_EQ(Order({1, 2, 3, 4, 5, 6}), Markers(kLayoutList));
  EXPECT_EQ(4, TheDocument.CurrentItem[kLayoutList]);

  TheDocument.CurrentItem[kLayoutList] = 2;
  MoveItemDown(kLayoutList);
  SwapItemWithLast(kLayoutList);  // item 3 with 6
  ASSERT_EQ(Order({1, 3, 6, 4, 5, 2}), Markers(kLayoutList));
  PopUndo();
  EXPECT_EQ(Order({1, 3, 2, 4, 5, 6}), Markers(kLayoutList));
  EXPECT_EQ(3, TheDocument.CurrentItem[kLayoutList]);
  PopUndo();
  EXPECT_EQ(Order({1, 2, 3, 4, 5, 6}), Markers(kLayoutList));
  EXPECT_EQ(2, TheDocument.CurrentItem[kLayoutList]);
}

TEST_F(ItemListTest, OnlyTheLast36ChangesCanBeUndoneEachToItsOwnState) {
  Fill(kLayoutList, 1);
  for (int m = 101; m <= 140; m++) {
    SetFields(kLayoutList, m);
    ModifyItem(kLayoutList);
  }
  EXPECT_EQ(36, UndoEntryCount());
  for (int m = 139; m >= 104; m--) {
    PopUndo();
    EXPECT_EQ(m, Marker(kLayoutList, 1));
  }
  EXPECT_EQ(0, UndoEntryCount());
  EXPECT_FALSE(view.undoButtonsEnabled);
  view.calls.clear();
  PopUndo();
  EXPECT_EQ(104, Marker(kLayoutList, 1));
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(ItemListTest, SavedCopiesOfEachListStayInStepAcrossTheWrap) {
  Fill(kLayoutList, 1);
  Fill(kTextList, 1);
  // 30 changes of the layout item, then alternating changes of both lists:
  // the oldest layout entries fall off the ring while the layout copies
  // stay on their own ring.
  for (int m = 1; m <= 30; m++) {
    SetFields(kLayoutList, 100 + m);
    ModifyItem(kLayoutList);
  }
  for (int m = 1; m <= 10; m++) {
    SetFields(kTextList, 200 + m);
    ModifyItem(kTextList);
    SetFields(kLayoutList, 150 + m);
    ModifyItem(kLayoutList);
  }
  ASSERT_EQ(36, UndoEntryCount());
  for (int m = 10; m >= 1; m--) {
    PopUndo();
    EXPECT_EQ(m == 1 ? 130 : 150 + m - 1, Marker(kLayoutList, 1)) << m;
    PopUndo();
    EXPECT_EQ(m == 1 ? 1 : 200 + m - 1, Marker(kTextList, 1)) << m;
  }
  for (int m = 29; m >= 14; m--) {
    PopUndo();
    EXPECT_EQ(100 + m, Marker(kLayoutList, 1));
  }
  EXPECT_EQ(0, UndoEntryCount());
}

TEST_F(ItemListTest, UndoSwitchesToThePageOfItsList) {
  Fill(kTextList, 2);
  view.currentList = kLayoutList;
  DeleteItem(kTextList);
  view.calls.clear();
  PopUndo();
  ASSERT_GE(view.calls.size(), 2u);
  EXPECT_EQ("FocusMoveUpButton", view.calls[0]);
  EXPECT_EQ("ShowListPage(1)", view.calls[1]);
  EXPECT_EQ(kTextList, view.currentList);

  view.calls.clear();
  PopUndo();  // the second append, on the page already shown
  EXPECT_FALSE(view.Called("ShowListPage(1)"));
}

TEST_F(ItemListTest, UndoNeitherMarksNorClearsTheModifiedFlag) {
  Fill(kLayoutList, 2);
  PopUndo();
  EXPECT_EQ(1, TheDocument.DocumentModified);
  TheDocument.DocumentModified = 0;
  PopUndo();
  EXPECT_EQ(0, TheDocument.DocumentModified);
}

// A field left with a typed change commits when the focus moves away.
void CommitPendingField() {
  PushUndo(kUndoModified, kLayoutList, 1, 1);  // as ModifyItem records it
  TheDocument.layoutItems[1].x1 = 55;
  TheDocument.layoutItems[1].edgeWidth = 55;
}

TEST_F(ItemListTest, APendingFieldCommitIsTheChangeThatUndoTakesBack) {
  Fill(kLayoutList, 1);
  SetFields(kLayoutList, 2);
  ModifyItem(kLayoutList);
  view.pendingCommit = CommitPendingField;
  PopUndo();
  EXPECT_EQ(2, Marker(kLayoutList, 1)) << "the pending commit is undone first";
  EXPECT_EQ(2, UndoEntryCount());
  PopUndo();
  EXPECT_EQ(1, Marker(kLayoutList, 1));
}

TEST_F(ItemListTest, ResetForgetsEveryEntryAndCopy) {
  Fill(kMenuList, 3);
  DeleteItem(kMenuList);
  ResetUndo();
  EXPECT_EQ(0, UndoEntryCount());
  EXPECT_FALSE(view.undoButtonsEnabled);
  view.calls.clear();
  PopUndo();
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(2, TheDocument.ItemCount[kMenuList]);
  EXPECT_EQ(0, TheDocument.Undo.savedMenu.count);
}

TEST_F(ItemListTest, AnEntryThatNoLongerFitsItsListMovesNothing) {
  Fill(kLayoutList, 3);
  DeleteItem(kLayoutList);
  SetFields(kLayoutList, 9);
  ModifyItem(kLayoutList);
  // The list is emptied behind the history's back.
  TheDocument.ItemCount[kLayoutList] = 0;
  TheDocument.CurrentItem[kLayoutList] = 0;
  PopUndo();
  EXPECT_EQ(0, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(1, TheDocument.Undo.savedLayout.count) << "the modification's copy was dropped with it";
  TheDocument.ItemCount[kLayoutList] = kMaxLayoutItems;
  PopUndo();  // re-inserting the deleted item would overflow the list
  EXPECT_EQ(kMaxLayoutItems, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(0, TheDocument.Undo.savedLayout.count);
  TheDocument.ItemCount[kLayoutList] = 0;
}

}  // namespace
