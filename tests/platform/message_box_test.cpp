#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string g_seenText;
unsigned g_seenStyle;
int AnswerYes(const MessageBoxRequest& request) {
  g_seenText = request.text;
  g_seenStyle = request.style;
  return kIdYes;
}
}  // namespace

TEST(MessageBoxSeam, AnInstalledHandlerAnswersInsteadOfTheUser) {
  MessageBoxHandler before = SetMessageBoxHandler(AnswerYes);
  EXPECT_EQ(kIdYes, ShowMessageBox(nullptr, "Overwrite?", "Prompt", kMbYesNo | kMbIconQuestion));
  EXPECT_EQ("Overwrite?", g_seenText);
  EXPECT_EQ(unsigned(kMbYesNo | kMbIconQuestion), g_seenStyle);
  EXPECT_EQ(AnswerYes, SetMessageBoxHandler(before));
}
