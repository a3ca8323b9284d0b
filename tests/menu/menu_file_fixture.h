#pragma once
// A program folder holding the built korvel.dat, an empty menu folder, a
// recording view and recorded message boxes, for the menu file writer and
// reader tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/process_settings.h"
#include "menu/document.h"
#include "menu/korvel_template.h"
#include "menu/menu_file_layout.h"
#include "menu/menu_file_reader.h"
#include "menu/menu_file_writer.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "recording_view.h"
#include "tests/file_bytes.h"

typedef std::vector<uint8_t> Bytes;

inline std::string Join(const std::string& dir, const std::string& name) {
  char path[2100];
  EXPECT_TRUE(JoinPath(path, sizeof path, dir.c_str(), name.c_str()));
  return path;
}

struct ShownBox {
  std::string text;
  std::string caption;
  unsigned style;
};

class MenuFileTest : public ::testing::Test {
 protected:
  static std::vector<ShownBox>& Boxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
  }
  static int RecordBox(const MessageBoxRequest& request) {
    Boxes().push_back({request.text, request.caption, request.style});
    return kIdOk;
  }

  void SetUp() override {
    Boxes().clear();
    previousHandler_ = SetMessageBoxHandler(RecordBox);
    static int serial = 0;
    char temp[1100];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    root_ = Join(temp, "tw_menu_file_" + std::to_string(rand()) + "_" + std::to_string(++serial));
    home_ = Join(root_, "home");
    cd_ = Join(root_, "cd");
    ASSERT_TRUE(CreateFolder(root_.c_str()));
    ASSERT_TRUE(CreateFolder(home_.c_str()));
    ASSERT_TRUE(CreateFolder(cd_.c_str()));
    ASSERT_TRUE(CreateFolder(Join(cd_, "korvel").c_str()));
    const char* binary = getenv("TW_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    ASSERT_TRUE(CopyFileTo(Join(binary, kTemplateFileName).c_str(),
                           Join(home_, kTemplateFileName).c_str(), false));
    CopyText(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, home_.c_str());

    TheLanguage.currentLangId = 1033;
    QuietSave = 0;
    MenuDocument& doc = TheDocument;
    memset(&doc, 0, sizeof doc);
    for (int list = 0; list < kListCount; ++list) doc.ItemLimit[list] = ListLimitOf(list);
    for (int i = 0; i < kColorCount; ++i) {
      doc.CurrentColorTable[i] = kInitialColorTable[i];
      doc.DefaultColorTable[i] = kInitialColorTable[i];
    }
    doc.Resolution = kResolution640x480;
    ApplyResolution();
    ResetMenuDocument();
    doc.LogoOn = 0;
    doc.BackImageOn = 0;
    CopyText(doc.CDFileDir, kPathSize, cd_.c_str());
    CopyText(doc.ImageFileDir, kPathSize, "korvel");
    CopyText(doc.MenuFileDir, kPathSize, Join(cd_, "korvel").c_str());
    CopyText(doc.MenuFileName, kPathSize, "bootmenu.zqk");
  }

  void TearDown() override {
    SetMessageBoxHandler(previousHandler_);
    RemoveTree(root_);
  }

  std::string MenuPath() const { return Join(TheDocument.MenuFileDir, TheDocument.MenuFileName); }
  std::string InMenuDir(const char* name) const { return Join(TheDocument.MenuFileDir, name); }

  Bytes SaveAndRead() {
    SaveMenuFile();
    return ReadBytes(MenuPath());
  }

  // Removes the files this fixture makes (one level of folders is enough).
  void RemoveTree(const std::string& dir) {
    const char* names[] = {"bootmenu.zqk", "bootmenu.zqk.tmp", "other.zqk", "loader.bin", "kvldr",
                           "grldr", "isolinux", "syslinux", "memdisk", "isolinu3", "syslinu3",
                           "bcdw.bin", "korvel.dat", "dos.img", "a.img", "big.zqk"};
    for (const char* sub : {"home/resource", "cd/korvel/bootmenu.zqk.tmp", "cd/korvel", "cd/boot",
                            "cd/other", "home", "cd", ""}) {
      std::string folder = dir;
      if (*sub) {
        std::string s(sub);
        for (char& c : s) {
          if (c == '/') c = kPathSeparator;
        }
        folder = Join(dir, s);
      }
      for (const char* name : names) {
        const std::string path = Join(folder, name);
        MakeFileWritable(path.c_str());
        DeleteFileAt(path.c_str());
      }
      RemoveFolder(folder.c_str());
    }
  }

  int BoxesWithText(const std::string& part) const {
    int n = 0;
    for (const ShownBox& box : Boxes()) n += box.text.find(part) != std::string::npos;
    return n;
  }

  RecordingView view_;
  std::string root_, home_, cd_;
  MessageBoxHandler previousHandler_ = nullptr;
};

// Fills every list to its limit with distinct items (texts of textLength
// characters), as a designer could have made them.
inline void FillListsToLimits(size_t textLength, size_t commandLength) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kLayoutList] = kMaxLayoutItems;
  doc.ItemCount[kTextList] = kMaxTextItems;
  doc.ItemCount[kMenuList] = kMaxMenuItems;
  doc.ItemCount[kFunctionKeyList] = kMaxFunctionKeys;
  for (int i = 1; i <= kMaxLayoutItems; ++i) {
    doc.layoutItems[i] = LayoutItem{uint16_t(i), uint16_t(2 * i), uint16_t(300 + i),
                                    uint16_t(400 + i), uint8_t(i * 7), uint8_t(i & 15), uint8_t(i % 5)};
  }
  for (int i = 1; i <= kMaxTextItems; ++i) {
    TextItem& t = doc.textItems[i];
    std::string text = "Text " + std::to_string(i) + std::string(80, 'x');
    text.resize(textLength);
    CopyText(t.text, kItemTextSize, text.c_str());
    t.geometry = TextItemGeometry{uint16_t(8 * i), uint16_t(9 * i), uint16_t(8 * i + 200),
                                  uint16_t(9 * i + 8), uint8_t(i % 3), uint8_t(i & 15)};
  }
  for (int i = 1; i <= kMaxMenuItems; ++i) {
    doc.menuKeys[i] = MenuItemKeys{uint8_t('0' + i), uint8_t(i - 1), uint8_t(i + 1 > 36 ? 0 : i + 1),
                                   uint8_t(i), uint8_t(99), uint8_t(1)};
    doc.menuGeometry[i] = MenuItemGeometry{uint8_t(0x1F), uint16_t(10), uint16_t(12 * i),
                                           uint16_t(600), uint16_t(12 * i + 10), uint8_t(0xF1)};
    MenuItemStrings& s = doc.menuStrings[i];
    std::string command = "run /boot/d" + std::to_string(i) + ".img" + std::string(128, 'z');
    command.resize(commandLength);
    CopyText(s.command, kCommandSize, command.c_str());
    std::string text = "Entry " + std::to_string(i) + std::string(80, 'e');
    text.resize(textLength);
    CopyText(s.text, kItemTextSize, text.c_str());
    CopyText(s.password, kPasswordSize, i % 3 == 0 ? ("pw" + std::to_string(i)).c_str() : "");
    s.useImageText = uint8_t(i % 2);
  }
  for (int i = 1; i <= kMaxFunctionKeys; ++i) {
    FunctionKeyItem& f = doc.functionKeys[i];
    CopyText(f.keyName, kKeyNameSize, ("Shift+F" + std::to_string(i % 12 + 1)).c_str());
    CopyText(f.key, kKeyTokenSize, ("sf" + std::to_string(i % 12 + 1)).c_str());
    std::string command = "cd /f" + std::to_string(i) + std::string(128, 'c');
    command.resize(commandLength);
    CopyText(f.command, kCommandSize, command.c_str());
  }
  doc.DefaultMenu = 2;
}
