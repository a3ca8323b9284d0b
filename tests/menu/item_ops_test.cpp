#include "menu/item_ops.h"

#include "item_fixture.h"

namespace {

typedef std::vector<int> Order;

TEST_F(ItemListTest, AppendPutsTheNewItemBehindTheCurrentOne) {
  Fill(kLayoutList, 5);
  TheDocument.CurrentItem[kLayoutList] = 2;
  SetFields(kLayoutList, 9);
  AppendItem(kLayoutList);
  EXPECT_EQ(Order({1, 2, 9, 3, 4, 5}), Markers(kLayoutList));
  EXPECT_EQ(3, TheDocument.CurrentItem[kLayoutList]);
  EXPECT_EQ(std::vector<std::string>({"SetNewItemDefaults(0)", "StoreCurrentItem(0)", "RefreshListViews(0)",
                                      "ShowCurrentItem(0)", "RepaintPreview"}),
            view.calls);
  EXPECT_EQ(1, TheDocument.DocumentModified);
  EXPECT_TRUE(view.undoButtonsEnabled);
}

TEST_F(ItemListTest, InsertPutsTheNewItemBeforeTheCurrentOne) {
  Fill(kTextList, 5);
  TheDocument.CurrentItem[kTextList] = 2;
  SetFields(kTextList, 9);
  InsertItem(kTextList);
  EXPECT_EQ(Order({1, 9, 2, 3, 4, 5}), Markers(kTextList));
  EXPECT_EQ(2, TheDocument.CurrentItem[kTextList]);
}

TEST_F(ItemListTest, AnEmptyListTakesItsFirstItemFromEveryAddingOperation) {
  SetFields(kMenuList, 4);
  InsertItem(kMenuList);
  EXPECT_EQ(Order({4}), Markers(kMenuList));
  EXPECT_EQ(1, TheDocument.CurrentItem[kMenuList]);

  SetFields(kFunctionKeyList, 6);
  ModifyItem(kFunctionKeyList);
  EXPECT_EQ(Order({6}), Markers(kFunctionKeyList));
  EXPECT_EQ(1, TheDocument.CurrentItem[kFunctionKeyList]);
}

TEST_F(ItemListTest, AFullListRefusesNewItemsWithTheLimitMessage) {
  Fill(kLayoutList, 36);
  TheDocument.CurrentItem[kLayoutList] = 10;
  TheDocument.DocumentModified = 0;
  int entries = UndoEntryCount();
  AppendItem(kLayoutList);
  InsertItem(kLayoutList);
  EXPECT_EQ(36, TheDocument.ItemCount[kLayoutList]);
  EXPECT_EQ(10, TheDocument.CurrentItem[kLayoutList]);
  EXPECT_EQ(36, Marker(kLayoutList, 36));
  EXPECT_EQ(0, TheDocument.DocumentModified);
  EXPECT_EQ(entries, UndoEntryCount());
  EXPECT_TRUE(view.calls.empty());
  ASSERT_EQ(2u, Messages().size());
  EXPECT_EQ("LayoutItem Number Exceeds Limit 36", Messages()[0].text);
  EXPECT_EQ("Error", Messages()[0].caption);
  EXPECT_EQ((unsigned)(kMbOk | kMbIconError), Messages()[0].style);
  EXPECT_EQ(&view, Messages()[0].owner);
}

TEST_F(ItemListTest, EachListHasItsOwnLimit) {
  Fill(kTextList, 50);
  EXPECT_EQ(50, TheDocument.ItemCount[kTextList]);
  EXPECT_TRUE(Messages().empty());
  AppendItem(kTextList);
  EXPECT_EQ(50, TheDocument.ItemCount[kTextList]);
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("TextItem Number Exceeds Limit 50", Messages()[0].text);

  Fill(kMenuList, 36);
  Fill(kFunctionKeyList, 36);
  AppendItem(kMenuList);
  AppendItem(kFunctionKeyList);
  ASSERT_EQ(3u, Messages().size());
  EXPECT_EQ("MenuItem Number Exceeds Limit 36", Messages()[1].text);
  EXPECT_EQ("Item Number Exceeds Limit 36", Messages()[2].text);
  EXPECT_EQ(36, TheDocument.ItemCount[kFunctionKeyList]);
}

TEST_F(ItemListTest, ModifyStoresTheFieldsWithoutShowingThemAgain) {
  Fill(kLayoutList, 3);
  TheDocument.CurrentItem[kLayoutList] = 2;
  TheDocument.DocumentModified = 0;
  SetFields(kLayoutList, 8);
  ModifyItem(kLayoutList);
  EXPECT_EQ(Order({1, 8, 3}), Markers(kLayoutList));
  EXPECT_EQ(std::vector<std::string>({"StoreCurrentItem(0)", "RefreshListViews(0)", "RepaintPreview"}), view.calls);
  EXPECT_EQ(1, TheDocument.DocumentModified);
}

TEST_F(ItemListTest, DeleteMakesTheFollowingOrPrecedingItemCurrent) {
  Fill(kMenuList, 4);
  TheDocument.CurrentItem[kMenuList] = 2;
  DeleteItem(kMenuList);
  EXPECT_EQ(Order({1, 3, 4}), Markers(kMenuList));
  EXPECT_EQ(2, TheDocument.CurrentItem[kMenuList]);

  TheDocument.CurrentItem[kMenuList] = 3;
  DeleteItem(kMenuList);
  EXPECT_EQ(Order({1, 3}), Markers(kMenuList));
  EXPECT_EQ(2, TheDocument.CurrentItem[kMenuList]);

  DeleteItem(kMenuList);
  DeleteItem(kMenuList);
  EXPECT_EQ(0, TheDocument.ItemCount[kMenuList]);
  EXPECT_EQ(0, TheDocument.CurrentItem[kMenuList]);

  view.calls.clear();
  int entries = UndoEntryCount();
  DeleteItem(kMenuList);
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(entries, UndoEntryCount());
}

TEST_F(ItemListTest, ReorderingsSwapTwoItemsAndFollowTheMovedOne) {
  Fill(kMenuList, 6);
  TheDocument.CurrentItem[kMenuList] = 4;
  SwapItemWithFirst(kMenuList);
  EXPECT_EQ(Order({4, 2, 3, 1, 5, 6}), Markers(kMenuList));
  EXPECT_EQ(1, TheDocument.CurrentItem[kMenuList]);

  TheDocument.CurrentItem[kMenuList] = 2;
  SwapItemWithLast(kMenuList);
  EXPECT_EQ(Order({4, 6, 3, 1, 5, 2}), Markers(kMenuList));
  EXPECT_EQ(6, TheDocument.CurrentItem[kMenuList]);

  MoveItemUp(kMenuList);
  EXPECT_EQ(Order({4, 6, 3, 1, 2, 5}), Markers(kMenuList));
  EXPECT_EQ(5, TheDocument.CurrentItem[kMenuList]);

  MoveItemDown(kMenuList);
  EXPECT_EQ(Order({4, 6, 3, 1, 5, 2}), Markers(kMenuList));
  EXPECT_EQ(6, TheDocument.CurrentItem[kMenuList]);
}

TEST_F(ItemListTest, ReorderingsAtTheEndsOrOfOneItemDoNothing) {
  Fill(kTextList, 1);
  int entries = UndoEntryCount();
  MoveItemUp(kTextList);
  MoveItemDown(kTextList);
  SwapItemWithFirst(kTextList);
  SwapItemWithLast(kTextList);
  Fill(kLayoutList, 3);
  TheDocument.CurrentItem[kLayoutList] = 1;
  MoveItemUp(kLayoutList);
  SwapItemWithFirst(kLayoutList);
  TheDocument.CurrentItem[kLayoutList] = 3;
  MoveItemDown(kLayoutList);
  SwapItemWithLast(kLayoutList);
  EXPECT_EQ(Order({1, 2, 3}), Markers(kLayoutList));
  EXPECT_EQ(entries + 3, UndoEntryCount());  // only the three appends
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(ItemListTest, CodesOtherThanTheFourListsChangeNothing) {
  for (int code : {-1, 4, (int)kNoList, (int)kAllLists}) {
    AppendItem(code);
    InsertItem(code);
    ModifyItem(code);
    DeleteItem(code);
    MoveItemUp(code);
    MoveItemDown(code);
    SwapItemWithFirst(code);
    SwapItemWithLast(code);
  }
  EXPECT_TRUE(IsDocumentEmpty());
  EXPECT_EQ(0, UndoEntryCount());
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(0, TheDocument.DocumentModified);
}

TEST_F(ItemListTest, ANewMenuItemDoesNotInheritAHotSpotFlag) {
  Fill(kMenuList, 2);
  TheDocument.menuStrings[2].useImageText = 1;
  TheDocument.CurrentItem[kMenuList] = 1;
  InsertItem(kMenuList);  // takes slot 1, whose old item moves to slot 2
  EXPECT_EQ(0, TheDocument.menuStrings[1].useImageText);
  EXPECT_EQ(0, TheDocument.menuStrings[2].useImageText);
  EXPECT_EQ(1, TheDocument.menuStrings[3].useImageText) << "the flag moves with its item";
  // A slot freed by a delete holds a stale flag; an append over it clears it.
  TheDocument.CurrentItem[kMenuList] = 3;
  DeleteItem(kMenuList);
  TheDocument.menuStrings[3].useImageText = 1;
  AppendItem(kMenuList);
  EXPECT_EQ(3, TheDocument.CurrentItem[kMenuList]);
  EXPECT_EQ(0, TheDocument.menuStrings[3].useImageText);
}

TEST_F(ItemListTest, ACurrentItemSetOutOfRangeIsBroughtBackIntoTheList) {
  Fill(kLayoutList, 3);
  TheDocument.CurrentItem[kLayoutList] = 40;  // past the array
  SetFields(kLayoutList, 9);
  AppendItem(kLayoutList);
  EXPECT_EQ(Order({1, 2, 3, 9}), Markers(kLayoutList));
  EXPECT_EQ(4, TheDocument.CurrentItem[kLayoutList]);
  TheDocument.CurrentItem[kLayoutList] = 0;
  DeleteItem(kLayoutList);
  EXPECT_EQ(Order({2, 3, 9}), Markers(kLayoutList));
  PopUndo();
  EXPECT_EQ(Order({1, 2, 3, 9}), Markers(kLayoutList));
}

}  // namespace
