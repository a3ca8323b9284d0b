#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/registry_memory.h"

namespace {

std::string MenuPath(const char* commandLine) {
  char out[260];
  TakeStartupMenuPath(commandLine, out, sizeof out);
  return out;
}

TEST(StartupMenuPath, QuotedPathLosesOnlyItsQuotes) {
  EXPECT_EQ("C:\\My Menus\\boot menu.zqk", MenuPath("\"C:\\My Menus\\boot menu.zqk\""));
  EXPECT_EQ("C:\\My Menus\\boot menu.zqk", MenuPath("C:\\My Menus\\boot menu.zqk"));
  EXPECT_EQ("a \"b\" c", MenuPath("a \"b\" c\""));
  EXPECT_EQ("", MenuPath(""));
}

TEST(StartupMenuPath, SingleQuoteGivesEmptyAndTrailingQuoteIsDropped) {
  EXPECT_EQ("", MenuPath("\""));
  EXPECT_EQ("", MenuPath("\"\""));
  EXPECT_EQ("C:\\menu.zqk", MenuPath("C:\\menu.zqk\""));
}

TEST(StartupMenuPath, PathLongerThanTheBufferIsRefusedNotCut) {
  std::string fits(259, 'a');
  EXPECT_EQ(fits, MenuPath(fits.c_str()));
  EXPECT_EQ(fits, MenuPath(("\"" + fits + "\"").c_str()));
  char out[260];
  memset(out, 'x', sizeof out);
  std::string tooLong(260, 'a');
  EXPECT_FALSE(TakeStartupMenuPath(tooLong.c_str(), out, sizeof out));
  EXPECT_STREQ("", out);
}

TEST(StartDir, RootFolderBecomesDriveLetterAndColon) {
  char out[1025];
  ASSERT_TRUE(TakeStartDir("C:\\", out, sizeof out));
  EXPECT_STREQ("C:", out);
  ASSERT_TRUE(TakeStartDir("C:\\Tools\\Tarnwick", out, sizeof out));
  EXPECT_STREQ("C:\\Tools\\Tarnwick", out);
  char small[8];
  EXPECT_FALSE(TakeStartDir("C:\\Longer\\", small, sizeof small));
  EXPECT_STREQ("", small);
}

// A folder under the temporary folder that exists for one test.
class HomeDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[1024];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    ASSERT_TRUE(JoinPath(folder, sizeof folder, temp, "tw_home_dir_test"));
    ASSERT_TRUE(CreateFolder(folder));
    before = SetRegistryBackend(MemoryRegistryBackend());
    ClearMemoryRegistry();
  }
  void TearDown() override {
    RemoveFolder(folder);
    ClearMemoryRegistry();
    SetRegistryBackend(before);
  }
  char folder[1024];
  const RegistryBackend* before = nullptr;
};

TEST_F(HomeDirTest, ExistingFolderIsTakenWithoutOneTrailingSeparator) {
  char home[260] = "start";
  std::string withSeparator = std::string(folder) + kPathSeparator;
  ASSERT_TRUE(TakeHomeDirFromValue(withSeparator.c_str(), home, sizeof home));
  EXPECT_STREQ(folder, home);
}

TEST_F(HomeDirTest, MissingFolderFileOrOverlongValueIsIgnored) {
  char home[260] = "start";
  std::string missing = std::string(folder) + kPathSeparator + "missing";
  EXPECT_FALSE(TakeHomeDirFromValue(missing.c_str(), home, sizeof home));
  EXPECT_FALSE(TakeHomeDirFromValue("", home, sizeof home));
  // A file of that name is not a program folder.
  std::string file = std::string(folder) + kPathSeparator + "file.txt";
  FILE* f = fopen(file.c_str(), "wb");
  ASSERT_TRUE(f);
  fclose(f);
  EXPECT_FALSE(TakeHomeDirFromValue(file.c_str(), home, sizeof home));
  DeleteFileAt(file.c_str());
  // An existing folder whose name does not fit is refused whole.
  char tiny[4] = "abc";
  EXPECT_FALSE(TakeHomeDirFromValue(folder, tiny, sizeof tiny));
  EXPECT_STREQ("abc", tiny);
  EXPECT_STREQ("start", home);
}

TEST_F(HomeDirTest, PrepareReadsTheSettingsKey) {
  std::string value = std::string(folder) + kPathSeparator;
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "", value.c_str());
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "Language", "1031");
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "HomePage", "http://example.org/");
  ProcessSettings settings = {"", "", "", "built-in", 96};
  LanguageState language = {1033, "MS Sans Serif", 9, 1, nullptr, 0};
  PrepareProcessSettings("\"C:\\a b\\m.zqk\"", settings, language);
  EXPECT_STREQ("C:\\a b\\m.zqk", settings.startupMenuPath);
  EXPECT_STREQ(folder, settings.homeDir);
  EXPECT_EQ(1031, language.currentLangId);
  EXPECT_STREQ("http://example.org/", settings.homePageLink);
  char current[1024];
  ASSERT_TRUE(GetCurrentFolder(current, sizeof current));
  char expected[1025];
  TakeStartDir(current, expected, sizeof expected);
  EXPECT_STREQ(expected, settings.startDir);
}

TEST_F(HomeDirTest, NoKeyOrBadValuesKeepTheStartValues) {
  ProcessSettings settings = {"", "", "", "built-in", 96};
  LanguageState language = {1033, "MS Sans Serif", 9, 1, nullptr, 0};
  PrepareProcessSettings("", settings, language);
  EXPECT_STREQ(settings.startDir, settings.homeDir);
  EXPECT_EQ(1033, language.currentLangId);
  EXPECT_STREQ("built-in", settings.homePageLink);

  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "", "/no/such/folder/at/all");
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "Language", "German");
  std::string longPage(300, 'h');
  PutMemoryRegistryText(kRegCurrentUser, kSettingsKeyPath, "HomePage", longPage.c_str());
  PrepareProcessSettings("", settings, language);
  EXPECT_STREQ(settings.startDir, settings.homeDir);
  EXPECT_EQ(1033, language.currentLangId);
  EXPECT_STREQ("built-in", settings.homePageLink);
}

TEST_F(HomeDirTest, ValueWithoutTerminatingNulIsEndedAtItsLength) {
  // Stored as raw bytes of any type, no NUL: the folder name is still found.
  PutMemoryRegistryValue(kRegCurrentUser, kSettingsKeyPath, "", folder, strlen(folder));
  PutMemoryRegistryValue(kRegCurrentUser, kSettingsKeyPath, "Language", "1036", 4);
  ProcessSettings settings = {"", "", "", "built-in", 96};
  LanguageState language = {1033, "MS Sans Serif", 9, 1, nullptr, 0};
  PrepareProcessSettings("", settings, language);
  EXPECT_STREQ(folder, settings.homeDir);
  EXPECT_EQ(1036, language.currentLangId);
}

TEST_F(HomeDirTest, SavedLanguageWithoutItsPackStartsInEnglish) {
  char home[260];
  strcpy(home, TheProcessSettings.homeDir);
  strcpy(TheProcessSettings.homeDir, folder);  // holds no lang folder
  TheLanguage.currentLangId = 1031;
  BindStartupLanguage();
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  TheLanguage.currentLangId = 4242;  // a language without a pack name
  BindStartupLanguage();
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  strcpy(TheProcessSettings.homeDir, home);
}

TEST(RegistryText, TerminatesAtReturnedLengthAndRefusesWhatDoesNotFit) {
  char buffer[4];
  memcpy(buffer, "abXY", 4);
  EXPECT_TRUE(TerminateRegistryText(buffer, sizeof buffer, 2));
  EXPECT_STREQ("ab", buffer);
  memcpy(buffer, "abc", 4);
  EXPECT_TRUE(TerminateRegistryText(buffer, sizeof buffer, 4));  // NUL already inside
  EXPECT_STREQ("abc", buffer);
  memcpy(buffer, "abcd", 4);
  EXPECT_FALSE(TerminateRegistryText(buffer, sizeof buffer, 4));  // no room for the NUL
  EXPECT_TRUE(TerminateRegistryText(buffer, sizeof buffer, 0));
  EXPECT_STREQ("", buffer);
}

TEST(RegistryText, ReadRefusesOverlongValueAndEmptiesTheBuffer) {
  const RegistryBackend* before = SetRegistryBackend(MemoryRegistryBackend());
  ClearMemoryRegistry();
  PutMemoryRegistryText(kRegCurrentUser, "K", "v", "12345");
  RegistryKey key = OpenRegistryKey(kRegCurrentUser, "K");
  ASSERT_TRUE(key);
  char small[5] = "zzzz";
  EXPECT_EQ(kRegTooLong, ReadRegistryText(key, "v", small, sizeof small));
  EXPECT_STREQ("", small);
  char fits[6];
  EXPECT_EQ(kRegRead, ReadRegistryText(key, "V", fits, sizeof fits));  // names ignore case
  EXPECT_STREQ("12345", fits);
  EXPECT_EQ(kRegMissing, ReadRegistryText(key, "other", fits, sizeof fits));
  CloseRegistryKey(key);
  EXPECT_EQ(nullptr, OpenRegistryKey(kRegCurrentUser, "Missing"));
  ClearMemoryRegistry();
  SetRegistryBackend(before);
}

}  // namespace
