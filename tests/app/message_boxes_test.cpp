#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "platform/files.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef TW_WIN32
#include <windows.h>
static void MakeReadOnly(const char* path) { SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY); }
#else
#include <sys/stat.h>
static void MakeReadOnly(const char* path) { chmod(path, 0444); }
#endif

namespace {

std::vector<MessageBoxRequest> g_boxes;
std::vector<std::string> g_texts;
int g_answer = kIdOk;

int Record(const MessageBoxRequest& request) {
  g_boxes.push_back(request);
  g_texts.push_back(request.text);
  return g_answer;
}

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    g_boxes.clear();
    g_texts.clear();
    previous_ = SetMessageBoxHandler(Record);
    char temp[512];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    ASSERT_TRUE(JoinPath(dir_, sizeof dir_, temp, "tw_log_test"));
    CreateFolder(dir_);
    ASSERT_TRUE(JoinPath(log_, sizeof log_, dir_, "plexidor.log"));
  }
  void TearDown() override {
    CloseEngineLog();
    SetMessageBoxHandler(previous_);
    ForceDeleteFile(log_);
    RemoveFolder(dir_);
  }
  std::string ReadLog() {
    std::string text;
    FILE* f = fopen(log_, "rb");
    if (!f) return text;
    int c;
    while ((c = fgetc(f)) != EOF) {
      if (c != '\r') text += (char)c;
    }
    fclose(f);
    return text;
  }
  MessageBoxHandler previous_;
  char dir_[600];
  char log_[700];
};

}  // namespace

TEST_F(MessageBoxes, EachBoxHasItsCaptionIconButtonsAndNoOwner) {
  ShowError("e");
  ShowInfo("i");
  g_answer = kIdYes;
  EXPECT_TRUE(AskYesNo("q"));
  g_answer = kIdNo;
  EXPECT_FALSE(AskYesNo("q"));
  ASSERT_EQ(4u, g_boxes.size());
  EXPECT_STREQ("Error", g_boxes[0].caption);
  EXPECT_EQ(unsigned(kMbOk | kMbIconError), g_boxes[0].style);
  EXPECT_STREQ("Promot", g_boxes[1].caption);
  EXPECT_EQ(unsigned(kMbOk | kMbIconInformation), g_boxes[1].style);
  EXPECT_STREQ("Prompt", g_boxes[2].caption);
  EXPECT_EQ(unsigned(kMbYesNo | kMbIconQuestion), g_boxes[2].style);
  for (const MessageBoxRequest& box : g_boxes) EXPECT_EQ(nullptr, box.owner);
}

TEST_F(MessageBoxes, OnlyErrorsAreLoggedAndEveryLineGetsANewline) {
  ShowError("no log open yet");  // shown, not logged anywhere
  OpenEngineLog(dir_);
  ASSERT_NE(nullptr, TheEngineLog.file);
  ShowError("first");
  ShowInfo("not logged");
  AskYesNo("not logged either");
  LogMessage("Writen 3 Sectors ( 6KB Bytes)\n");
  CloseEngineLog();
  EXPECT_EQ(nullptr, TheEngineLog.file);
  EXPECT_STREQ(log_, TheEngineLog.path);  // kept for the message that names the log
  EXPECT_EQ("first\nWriten 3 Sectors ( 6KB Bytes)\n\n", ReadLog());
  EXPECT_EQ(4u, g_boxes.size());
}

TEST_F(MessageBoxes, ReopeningTheLogEmptiesIt) {
  OpenEngineLog(dir_);
  LogMessage("old run");
  OpenEngineLog(dir_);
  LogMessage("new run");
  CloseEngineLog();
  EXPECT_EQ("new run\n", ReadLog());
}

TEST_F(MessageBoxes, ForceDeleteRemovesReadOnlyFilesAndIgnoresMissingOnes) {
  char path[800];
  ASSERT_TRUE(JoinPath(path, sizeof path, dir_, "ro.bin"));
  FILE* f = fopen(path, "wb");
  ASSERT_NE(nullptr, f);
  fclose(f);
  MakeReadOnly(path);
  EXPECT_EQ(0, ForceDeleteFile(path));
  EXPECT_FALSE(PathExists(path));
  EXPECT_NE(0, ForceDeleteFile(path));
}
