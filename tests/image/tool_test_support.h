#pragma once
// Shared pieces of the Tools engines' tests: a scratch folder, the names it
// holds, and the message boxes shown (answered Yes or No as set).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "platform/dir_list.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace tooltest {

struct Boxes {
  std::vector<std::string> texts;
  int answer = kIdYes;
};
inline Boxes& TheBoxes() {
  static Boxes boxes;
  return boxes;
}
inline int RecordBox(const MessageBoxRequest& request) {
  TheBoxes().texts.push_back(request.text);
  return (request.style & kMbYesNo) ? TheBoxes().answer : kIdOk;
}

// A fresh folder per test under the temporary folder; emptied and removed
// afterwards. Message boxes are recorded meanwhile.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheBoxes() = Boxes();
    previous_ = SetMessageBoxHandler(RecordBox);
    char temp[512];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("tw_tools_") + info->test_suite_name() + "_" + info->name();
    dir_ = Path(temp, name);
    Clear();
    ASSERT_TRUE(CreateFolder(dir_.c_str()));
  }
  void TearDown() override {
    Clear();
    RemoveFolder(dir_.c_str());
    SetMessageBoxHandler(previous_);
  }
  static std::string Path(const std::string& dir, const std::string& name) {
    char out[1024];
    JoinPath(out, sizeof out, dir.c_str(), name.c_str());
    return out;
  }
  std::string File(const std::string& name) const { return Path(dir_, name); }
  // The names in the folder, sorted ("." and ".." left out).
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    DirListing* listing = OpenDirListing(dir_.c_str());
    DirItem item;
    while (listing && NextDirItem(listing, &item)) {
      std::string name = item.name;
      if (name != "." && name != "..") names.push_back(name);
    }
    if (listing) CloseDirListing(listing);
    std::sort(names.begin(), names.end());
    return names;
  }
  const std::vector<std::string>& BoxTexts() const { return TheBoxes().texts; }

 private:
  void Clear() {
    if (!FolderExists(dir_.c_str())) return;
    for (const std::string& name : Names()) ForceDeleteFile(File(name).c_str());
  }
  MessageBoxHandler previous_ = nullptr;

 protected:
  std::string dir_;
};

}  // namespace tooltest
