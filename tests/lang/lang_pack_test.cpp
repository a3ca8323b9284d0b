// The Arabic pack as built, copied into a program folder and bound through
// the real library loader.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_table.h"
#include "platform/files.h"
#include "platform/library_loader.h"
#include "platform/message_box.h"

namespace {

int g_boxes = 0;
int CountBox(const MessageBoxRequest&) {
  g_boxes++;
  return kIdOk;
}

const char* BuiltinText(int id) {
  for (const LangStrEntry& entry : BuiltinStringTable)
    if (entry.id == id) return entry.text;
  return nullptr;
}

// The printf conversions of a text in order ("%s%d"), "%%" left out.
std::string Conversions(const char* text) {
  std::string out;
  for (const char* p = text; *p; p++) {
    if (*p != '%') continue;
    if (p[1] == '%') {
      p++;
      continue;
    }
    out += '%';
    while (p[1] && !strchr("diuxXscpfge", p[1])) out += *++p;
    if (p[1]) out += *++p;
  }
  return out;
}

class ArabicPackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheLanguage = LanguageState{1033, "MS Sans Serif", 9, 1, nullptr, 0};
    g_boxes = 0;
    previousHandler_ = SetMessageBoxHandler(CountBox);
    // A program folder per test beside the test program: a bound pack stays
    // loaded until the process ends, so its file can only go in a later
    // run, which empties the folder first.
    static int serial = 0;
    char here[MAX_PATH];
    ASSERT_TRUE(GetCurrentFolder(here, sizeof here));
    snprintf(home_, sizeof home_, "%s\\lang_home_%d", here, ++serial);
    snprintf(langDir_, sizeof langDir_, "%s\\lang", home_);
    for (const char* name : {"lang_ar.dll", "lang_de.dll"}) {
      std::string stale = std::string(langDir_) + "\\" + name;
      DeleteFileAt(stale.c_str());
    }
    ASSERT_TRUE(CreateFolder(home_));
    ASSERT_TRUE(CreateFolder(langDir_));
    memcpy(TheProcessSettings.homeDir, home_, sizeof home_);
  }

  void TearDown() override {
    // Files of packs still loaded stay until the next run.
    for (const std::string& file : files_) DeleteFileAt(file.c_str());
    RemoveFolder(langDir_);
    RemoveFolder(home_);
    SetMessageBoxHandler(previousHandler_);
  }

  std::string CopyPackAs(const char* fileName) {
    std::string path = std::string(langDir_) + "\\" + fileName;
    EXPECT_TRUE(CopyFileTo(TW_ARABIC_PACK, path.c_str(), false)) << TW_ARABIC_PACK;
    files_.push_back(path);
    return path;
  }

  char home_[sizeof TheProcessSettings.homeDir];
  char langDir_[MAX_PATH];
  std::vector<std::string> files_;
  MessageBoxHandler previousHandler_ = nullptr;
};

}  // namespace

TEST_F(ArabicPackTest, BindsAndAnswersInArabicWithEnglishForTheIdsItLacks) {
  CopyPackAs("lang_ar.dll");
  ASSERT_EQ(1, LoadLanguagePack(10241));
  EXPECT_EQ(10241, TheLanguage.currentLangId);
  EXPECT_EQ(178, TheLanguage.uiFontCharset);
  EXPECT_STREQ("MS Sans Serif", TheLanguage.uiFontName);
  EXPECT_EQ(9, TheLanguage.uiFontSize);
  EXPECT_EQ(314, TheLanguage.packTableCount);
  EXPECT_STREQ("\xe3\xe1\xdd", GetString(4001));  // "file" in code page 1256
  EXPECT_STREQ("\xce\xd8\xc3", GetString(17008));  // "error"
  for (int id : {4048, 4049, 15115, 15116, 18069, 18070, 18071, 18072})
    EXPECT_STREQ(BuiltinText(id), GetString(id)) << id;
  EXPECT_NE('\0', GetString(10004)[0]);
  EXPECT_EQ(0, g_boxes);

  ASSERT_EQ(1, LoadLanguagePack(1033));
  EXPECT_STREQ("File", GetString(4001));
  EXPECT_EQ(1, TheLanguage.uiFontCharset);
  EXPECT_STREQ("MS Sans Serif", TheLanguage.uiFontName);
}

TEST_F(ArabicPackTest, ThePackFiledUnderAnotherLanguageIsRefused) {
  CopyPackAs("lang_de.dll");
  EXPECT_EQ(0, LoadLanguagePack(1031));
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  EXPECT_EQ(nullptr, TheLanguage.packTable);
  EXPECT_EQ(0, LoadLanguagePack(10241));  // no lang_ar.dll in this folder
}

TEST_F(ArabicPackTest, TableHoldsEveryBuiltinIdButEightAndEndsWithTheMarker) {
  std::string path = CopyPackAs("lang_ar.dll");
  LibraryHandle pack = LoadLibraryAt(path.c_str());
  ASSERT_NE(nullptr, pack);
  typedef const LangStrEntry* (*TableExport)();
  TableExport getLangStr = reinterpret_cast<TableExport>(GetLibraryExport(pack, "GetLangStr"));
  ASSERT_NE(nullptr, getLangStr);
  const char* begin = nullptr;
  const char* end = nullptr;
  ASSERT_TRUE(GetLibraryImageRange(pack, &begin, &end));
  const LangStrEntry* table = getLangStr();
  int count = CountLangStrEntries(table, begin, end);

  std::set<int> expected;
  for (const LangStrEntry& entry : BuiltinStringTable) expected.insert(entry.id);
  for (int id : {4048, 4049, 15115, 15116, 18069, 18070, 18071, 18072}) expected.erase(id);
  std::set<int> found;
  for (int i = 0; i < count; i++) found.insert(table[i].id);
  EXPECT_EQ(314, count);
  EXPECT_EQ(expected, found);
  EXPECT_EQ(kLangStrEndId, table[count].id);
  EXPECT_EQ(nullptr, table[count].text);

  // Every text formats the same arguments as the English one, and every
  // filter keeps its pattern and its two closing NULs.
  for (int i = 0; i < count; i++) {
    const char* english = BuiltinText(table[i].id);
    EXPECT_EQ(Conversions(english), Conversions(table[i].text)) << table[i].id;
    const char* englishPattern = english + strlen(english) + 1;
    if (strchr(english, '(') && strstr(english, "(*.") && englishPattern[0] == '*') {
      const char* pattern = table[i].text + strlen(table[i].text) + 1;
      EXPECT_STREQ(englishPattern, pattern) << table[i].id;
      EXPECT_EQ('\0', pattern[strlen(pattern) + 1]) << table[i].id;
    }
  }
  FreeLibraryHandle(pack);
}

TEST_F(ArabicPackTest, ExportsAnswerTheSameByNameAndByOrdinalOnEveryCall) {
  std::string path = CopyPackAs("lang_ar.dll");
  HMODULE pack = LoadLibraryA(path.c_str());
  ASSERT_NE(nullptr, pack);
  const char* names[] = {"GetLangName", "GetLangID", "GetFontName", "GetFontSize", "GetLangStr"};
  for (int ordinal = 1; ordinal <= 5; ordinal++) {
    FARPROC byName = GetProcAddress(pack, names[ordinal - 1]);
    EXPECT_NE(nullptr, byName) << names[ordinal - 1];
    EXPECT_EQ(byName, GetProcAddress(pack, MAKEINTRESOURCEA(ordinal))) << ordinal;
  }
  typedef const char* (*TextExport)();
  typedef int (*IntExport)();
  TextExport name = reinterpret_cast<TextExport>(reinterpret_cast<void*>(GetProcAddress(pack, "GetLangName")));
  IntExport id = reinterpret_cast<IntExport>(reinterpret_cast<void*>(GetProcAddress(pack, "GetLangID")));
  TextExport font = reinterpret_cast<TextExport>(reinterpret_cast<void*>(GetProcAddress(pack, "GetFontName")));
  IntExport size = reinterpret_cast<IntExport>(reinterpret_cast<void*>(GetProcAddress(pack, "GetFontSize")));
  ASSERT_TRUE(name && id && font && size);
  EXPECT_STREQ("Arabic", name());
  EXPECT_EQ(name(), name());
  EXPECT_EQ(10241, id());
  EXPECT_EQ(id(), id());
  EXPECT_STREQ("MS Sans Serif", font());
  EXPECT_EQ(font(), font());
  EXPECT_EQ(9, size());
  FreeLibrary(pack);
}
