#pragma once
// A DocumentView for tests: records every call in order as text, plays the
// main window's page bookkeeping, and on StoreCurrentItem writes the item
// that the test put into its "fields" into the document's current item.
#include <map>
#include <string>
#include <vector>

#include "menu/document.h"
#include "menu/document_view.h"

class RecordingView : public DocumentView {
 public:
  RecordingView() { before_ = SetDocumentView(this); }
  ~RecordingView() override { SetDocumentView(before_); }

  // The values the edit fields hold, stored by StoreCurrentItem.
  LayoutItem layoutFields = {};
  TextItem textFields = {};
  MenuItem menuFields = {};
  FunctionKeyItem functionKeyFields = {};

  std::vector<std::string> calls;
  int currentList = 128;
  bool undoButtonsEnabled = false;
  std::map<ViewField, std::string> fields;
  // Run once by the next FocusMoveUpButton, as a pending field commit.
  void (*pendingCommit)() = nullptr;

  void RefreshListViews(int list) override { Record("RefreshListViews", list); }
  void ShowCurrentItem(int list) override { Record("ShowCurrentItem", list); }
  void SetNewItemDefaults(int list) override { Record("SetNewItemDefaults", list); }
  void ShowDocumentSettings() override { calls.push_back("ShowDocumentSettings"); }
  void RepaintPreview() override { calls.push_back("RepaintPreview"); }
  void RelayoutPreview() override { calls.push_back("RelayoutPreview"); }
  void LoadBackImage() override { calls.push_back("LoadBackImage"); }
  int CurrentList() override { return currentList; }
  void ShowListPage(int list) override {
    Record("ShowListPage", list);
    currentList = list;
  }
  void FocusMoveUpButton() override {
    calls.push_back("FocusMoveUpButton");
    if (pendingCommit) {
      void (*commit)() = pendingCommit;
      pendingCommit = nullptr;
      commit();
    }
  }
  void EnableUndoButtons(bool enabled) override { undoButtonsEnabled = enabled; }
  void* OwnerWindow() override { return this; }
  std::string GetFieldText(ViewField field) override { return fields[field]; }
  void SetFieldText(ViewField field, const char* text) override { fields[field] = text; }

  void StoreCurrentItem(int list) override {
    Record("StoreCurrentItem", list);
    MenuDocument& doc = TheDocument;
    int n = doc.CurrentItem[list];
    if (doc.ItemCount[list] == 0) return;
    switch (list) {
      case kLayoutList: doc.layoutItems[n] = layoutFields; break;
      case kTextList: doc.textItems[n] = textFields; break;
      case kMenuList: {
        uint8_t flag = doc.menuStrings[n].useImageText;  // not a field
        doc.menuKeys[n] = menuFields.keys;
        doc.menuGeometry[n] = menuFields.geometry;
        doc.menuStrings[n] = menuFields.strings;
        doc.menuStrings[n].useImageText = flag;
        break;
      }
      case kFunctionKeyList: doc.functionKeys[n] = functionKeyFields; break;
    }
  }

  bool Called(const std::string& call) const {
    for (const std::string& c : calls) {
      if (c == call) return true;
    }
    return false;
  }

 private:
  void Record(const char* name, int list) { calls.push_back(std::string(name) + "(" + std::to_string(list) + ")"); }
  DocumentView* before_;
};
