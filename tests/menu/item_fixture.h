#pragma once
// A fresh document with a recording view and recorded message boxes, and
// lists filled with items that carry their original number as a marker.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "menu/document.h"
#include "menu/item_ops.h"
#include "menu/undo.h"
#include "platform/message_box.h"
#include "recording_view.h"

struct ShownMessage {
  void* owner;
  std::string text;
  std::string caption;
  unsigned style;
};

class ItemListTest : public ::testing::Test {
 protected:
  static std::vector<ShownMessage>& Messages() {
    static std::vector<ShownMessage> messages;
    return messages;
  }
  static int RecordMessage(const MessageBoxRequest& request) {
    Messages().push_back({request.owner, request.text, request.caption, request.style});
    return kIdOk;
  }

  void SetUp() override {
    Messages().clear();
    previousHandler_ = SetMessageBoxHandler(RecordMessage);
    ResetMenuDocument();
  }
  void TearDown() override {
    SetMessageBoxHandler(previousHandler_);
    ResetMenuDocument();
  }

  // Appends count items to a list; item k is marked k (see Marker).
  void Fill(int list, int count) {
    for (int k = 1; k <= count; k++) {
      SetFields(list, k);
      AppendItem(list);
    }
    view.calls.clear();
  }

  // Puts marker m (below 256) into the view's fields of a list: every part of the
  // record carries it, so a move that forgets one part shows.
  void SetFields(int list, int m) {
    switch (list) {
      case kLayoutList:
        view.layoutFields = {};
        view.layoutFields.x1 = (uint16_t)m;
        view.layoutFields.edgeWidth = (uint8_t)m;
        break;
      case kTextList:
        view.textFields = {};
        snprintf(view.textFields.text, sizeof view.textFields.text, "text %d", m);
        view.textFields.geometry.y2 = (uint16_t)m;
        break;
      case kMenuList:
        view.menuFields = {};
        view.menuFields.keys.accKey = (uint8_t)m;
        view.menuFields.geometry.x2 = (uint16_t)m;
        snprintf(view.menuFields.strings.command, sizeof view.menuFields.strings.command, "run %d", m);
        break;
      case kFunctionKeyList:
        view.functionKeyFields = {};
        snprintf(view.functionKeyFields.command, sizeof view.functionKeyFields.command, "cmd %d", m);
        break;
    }
  }

  // The marker of item n, or -1 when its parts disagree.
  static int Marker(int list, int n) {
    const MenuDocument& doc = TheDocument;
    switch (list) {
      case kLayoutList:
        return doc.layoutItems[n].x1 == doc.layoutItems[n].edgeWidth ? doc.layoutItems[n].x1 : -1;
      case kTextList: {
        int m = atoi(doc.textItems[n].text + 5);
        return m == doc.textItems[n].geometry.y2 ? m : -1;
      }
      case kMenuList: {
        int m = atoi(doc.menuStrings[n].command + 4);
        return (m == doc.menuKeys[n].accKey && m == doc.menuGeometry[n].x2) ? m : -1;
      }
      case kFunctionKeyList: return atoi(doc.functionKeys[n].command + 4);
    }
    return -1;
  }

  // The markers of items 1..ItemCount.
  static std::vector<int> Markers(int list) {
    std::vector<int> markers;
    for (int n = 1; n <= TheDocument.ItemCount[list]; n++) markers.push_back(Marker(list, n));
    return markers;
  }

  RecordingView view;

 private:
  MessageBoxHandler previousHandler_ = nullptr;
};
