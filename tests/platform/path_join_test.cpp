#include "platform/files.h"

#include <gtest/gtest.h>

#include <string>

TEST(JoinPath, PutsOneSeparatorBetweenFolderAndName) {
  char out[64];
  ASSERT_TRUE(JoinPath(out, sizeof out, "dir", "name.txt"));
  EXPECT_EQ(std::string("dir") + kPathSeparator + "name.txt", out);
  ASSERT_TRUE(JoinPath(out, sizeof out, "dir/", "x"));
  EXPECT_STREQ("dir/x", out);
  ASSERT_TRUE(JoinPath(out, sizeof out, "", "x"));
  EXPECT_STREQ("x", out);
}

TEST(JoinPath, RefusesAResultThatDoesNotFit) {
  char out[8];
  EXPECT_TRUE(JoinPath(out, sizeof out, "abc", "def"));   // 7 characters + NUL
  EXPECT_FALSE(JoinPath(out, sizeof out, "abcd", "def"));
  EXPECT_STREQ("", out);
}
