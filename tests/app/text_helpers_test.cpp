#include "app/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextHelpers, TrimmingTouchesOnlySpaces) {
  EXPECT_STREQ("two words", TrimText("  two words  "));
  EXPECT_STREQ("tab\t", TrimRight("tab\t  "));
  EXPECT_STREQ("", TrimRight(""));
  EXPECT_STREQ("", TrimText("    "));
  EXPECT_STREQ("x  ", TrimLeft("  x  "));
}

TEST(TextHelpers, DecimalConversionFollowsAtol) {
  EXPECT_STREQ("-12", IntToText(-12));
  EXPECT_EQ(42, TextToInt("42abc"));
  EXPECT_EQ(0, TextToInt("abc"));
  EXPECT_EQ(-7, TextToInt("  -7"));
}

TEST(TextHelpers, ResultsShareOneBuffer) {
  const char* number = IntToText(5);
  TrimRight("later ");
  EXPECT_STREQ("later", number);
}

TEST(TextHelpers, LongTextIsCutAtTheBuffer) {
  std::string longText(5000, 'a');
  EXPECT_EQ(1023u, std::string(TrimRight(longText.c_str())).size());
  // TrimRight cuts first (the leading space and 1,022 letters), then the
  // space goes.
  EXPECT_EQ(1022u, std::string(TrimText((" " + longText + " ").c_str())).size());
}
