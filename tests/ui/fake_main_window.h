#pragma once
// The main window's side of the designer links, for the preview's tests:
// the active page follows the recording view's list, RefreshCurrentItem is
// counted, and SetItemRectFromPreview records the rectangle and stores it
// as the main window does: the current item's values with the new corners
// go into the page's fields, then ModifyItem makes one undo entry.
#include <vector>

#include "menu/document.h"
#include "menu/item_ops.h"
#include "tests/menu/recording_view.h"
#include "ui/designer_links.h"

struct CommittedRect {
  int top, left, bottom, right;
  bool append;
};

class FakeMainWindow : public MainWindowLink {
 public:
  explicit FakeMainWindow(RecordingView& view) : view_(view) { before_ = SetMainWindowLink(this); }
  ~FakeMainWindow() override { SetMainWindowLink(before_); }

  std::vector<CommittedRect> commits;
  int refreshes = 0;

  // Lists 0, 1, 2 are edited on pages 1, 2, 3; no list means the File page.
  int CurrentPage() override { return view_.currentList <= kMenuList ? view_.currentList + 1 : 0; }
  void RefreshCurrentItem() override { ++refreshes; }
  void SetItemRectFromPreview(uint16_t top, uint16_t left, uint16_t bottom, uint16_t right,
                              bool appendFirst) override {
    commits.push_back(CommittedRect{top, left, bottom, right, appendFirst});
    MenuDocument& doc = TheDocument;
    const int list = view_.currentList;
    if (list > kMenuList) return;
    if (appendFirst) AppendItem(list);
    if (doc.ItemCount[list] == 0) return;
    const int n = doc.CurrentItem[list];
    if (list == kLayoutList) {
      view_.layoutFields = doc.layoutItems[n];
      view_.layoutFields.x1 = left, view_.layoutFields.y1 = top;
      view_.layoutFields.x2 = right, view_.layoutFields.y2 = bottom;
    } else if (list == kTextList) {
      view_.textFields = doc.textItems[n];
      TextItemGeometry& g = view_.textFields.geometry;
      g.x1 = left, g.y1 = top, g.x2 = right, g.y2 = bottom;
    } else {
      view_.menuFields = MenuItem{doc.menuKeys[n], doc.menuGeometry[n], doc.menuStrings[n]};
      MenuItemGeometry& g = view_.menuFields.geometry;
      g.x1 = left, g.y1 = top, g.x2 = right, g.y2 = bottom;
    }
    ModifyItem(list);
  }

 private:
  RecordingView& view_;
  MainWindowLink* before_;
};
