#include "app/language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/process_settings.h"
#include "app/string_table.h"
#include "platform/files.h"
#include "platform/library_loader.h"
#include "platform/message_box.h"

namespace {

std::vector<std::string> g_shown;
std::vector<std::string> g_captions;

int RecordBox(const MessageBoxRequest& request) {
  g_shown.push_back(request.text ? request.text : "");
  g_captions.push_back(request.caption ? request.caption : "");
  return kIdOk;
}

// An Arabic pack in memory: a few translated ids, 18069 left out.
const LangStrEntry kArabicTable[] = {
    {4001, "\xc3\xe1\xdd"}, {17008, "\xce\xd8\xc3"}, {18068, "arabic 18068"}, {0, nullptr}};
const char* ArabicName() { return "Arabic"; }
int ArabicId() { return 10241; }
const char* ArabicFont() { return "Tahoma"; }
int ArabicSize() { return 10; }
const LangStrEntry* ArabicTable() { return kArabicTable; }
const InMemoryExport kArabicExports[] = {
    {"GetLangName", (void*)&ArabicName}, {"GetLangID", (void*)&ArabicId},
    {"GetFontName", (void*)&ArabicFont}, {"GetFontSize", (void*)&ArabicSize},
    {"GetLangStr", (void*)&ArabicTable}};

// A file named for German whose pack reports French.
const LangStrEntry kFrenchTable[] = {{4001, "Fichier"}, {0, nullptr}};
int FrenchId() { return 1036; }
const LangStrEntry* FrenchTable() { return kFrenchTable; }
const InMemoryExport kFrenchExports[] = {{"GetLangID", (void*)&FrenchId},
                                         {"GetLangStr", (void*)&FrenchTable}};

// A German pack without a string table.
int GermanId() { return 1031; }
const char* GermanFont() { return "Arial"; }
const InMemoryExport kTablelessExports[] = {{"GetLangID", (void*)&GermanId},
                                            {"GetFontName", (void*)&GermanFont}};

// A German pack with only its table: no language id, no font.
const LangStrEntry kGermanTable[] = {{4001, "Datei"}, {0, nullptr}};
const LangStrEntry* GermanTable() { return kGermanTable; }
const InMemoryExport kTableOnlyExports[] = {{"GetLangStr", (void*)&GermanTable}};
const InMemoryExport kGermanExports[] = {{"GetLangID", (void*)&GermanId},
                                         {"GetLangStr", (void*)&GermanTable}};

// A Russian pack whose table breaks its order after two entries.
const LangStrEntry kBrokenTable[] = {
    {4001, "one"}, {4002, "two"}, {4002, "again"}, {4003, "three"}, {0, nullptr}};
int RussianId() { return 1049; }
const LangStrEntry* BrokenTable() { return kBrokenTable; }
const InMemoryExport kBrokenExports[] = {{"GetLangID", (void*)&RussianId},
                                         {"GetLangStr", (void*)&BrokenTable}};

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheLanguage = LanguageState{1033, "MS Sans Serif", 9, 1, nullptr, 0};
    ClearInMemoryLibraries();
    g_shown.clear();
    g_captions.clear();
    previousHandler_ = SetMessageBoxHandler(RecordBox);

    char temp[1024];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    char name[64];
    snprintf(name, sizeof name, "tw_lang_%d_%p", (int)sizeof(void*), (void*)this);
    ASSERT_TRUE(JoinPath(home_, sizeof home_, temp, name));
    ASSERT_TRUE(CreateFolder(home_));
    ASSERT_TRUE(JoinPath(langDir_, sizeof langDir_, home_, "lang"));
    ASSERT_TRUE(CreateFolder(langDir_));
    memcpy(TheProcessSettings.homeDir, home_, sizeof home_);
  }

  void TearDown() override {
    for (const std::string& file : files_) DeleteFileAt(file.c_str());
    RemoveFolder(langDir_);
    RemoveFolder(home_);
    ClearInMemoryLibraries();
    SetMessageBoxHandler(previousHandler_);
  }

  // The pack's path under the home folder; with a file there when onDisk.
  std::string PackPath(const char* code, bool onDisk) {
    char fileName[32];
    snprintf(fileName, sizeof fileName, "lang_%s.dll", code);
    char path[1024];
    EXPECT_TRUE(JoinPath(path, sizeof path, langDir_, fileName));
    if (onDisk) {
      FILE* f = fopen(path, "wb");
      EXPECT_NE(nullptr, f);
      if (f) fclose(f);
      files_.push_back(path);
    }
    return path;
  }

  template <int N>
  std::string Install(const char* code, const InMemoryExport (&exports)[N], bool onDisk = true) {
    std::string path = PackPath(code, onDisk);
    RegisterInMemoryLibrary(path.c_str(), exports, N, nullptr, nullptr);
    return path;
  }

  char home_[sizeof TheProcessSettings.homeDir];
  char langDir_[1024];
  std::vector<std::string> files_;
  MessageBoxHandler previousHandler_ = nullptr;
};

}  // namespace

TEST_F(LanguageTest, EnglishIsBuiltIn) {
  EXPECT_STREQ("File", GetString(4001));
  EXPECT_STREQ("Optimizing File System, Please Wait ...", GetString(1001));
  EXPECT_STREQ("Boot Image File '%s' is in compressed format!", GetString(18070));
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(LanguageTest, AnUnknownIdShowsOneMessagePerCallAndYieldsEmptyText) {
  EXPECT_STREQ("", GetString(2));
  ASSERT_EQ(1u, g_shown.size());
  EXPECT_EQ("Bad string ID: 2", g_shown[0]);
  EXPECT_EQ("Promot", g_captions[0]);
  EXPECT_STREQ("", GetString(4039));  // between two runs
  EXPECT_STREQ("", GetString(18073));  // past the last id
  EXPECT_EQ(3u, g_shown.size());
}

TEST_F(LanguageTest, ABoundPackAnswersAndFallsBackToEnglish) {
  std::string path = Install("ar", kArabicExports);
  ASSERT_EQ(1, LoadLanguagePack(10241));
  EXPECT_EQ(10241, TheLanguage.currentLangId);
  EXPECT_EQ(178, TheLanguage.uiFontCharset);
  EXPECT_STREQ("Tahoma", TheLanguage.uiFontName);
  EXPECT_EQ(10, TheLanguage.uiFontSize);
  EXPECT_EQ(3, TheLanguage.packTableCount);
  EXPECT_STREQ("\xc3\xe1\xdd", GetString(4001));
  EXPECT_STREQ("arabic 18068", GetString(18068));
  EXPECT_STREQ(GetString(18070), "Boot Image File '%s' is in compressed format!");
  EXPECT_EQ(std::string("Plexidor v%d.%d or later not found!\n\nDo you want to download latest "
                        "version Plexidor for free?"),
            GetString(18069));
  EXPECT_TRUE(g_shown.empty());
  EXPECT_EQ(1, InMemoryLibraryLoadCount(path.c_str()));
}

TEST_F(LanguageTest, EnglishAfterAPackKeepsThePackFontAndStaysLoaded) {
  std::string path = Install("ar", kArabicExports);
  ASSERT_EQ(1, LoadLanguagePack(10241));
  ASSERT_EQ(1, LoadLanguagePack(1033));
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  EXPECT_EQ(1, TheLanguage.uiFontCharset);
  EXPECT_STREQ("Tahoma", TheLanguage.uiFontName);
  EXPECT_EQ(10, TheLanguage.uiFontSize);
  EXPECT_STREQ("File", GetString(4001));
  EXPECT_EQ(1, InMemoryLibraryLoadCount(path.c_str()));
}

TEST_F(LanguageTest, APackForAnotherLanguageIsRefusedAndReleased) {
  std::string path = Install("de", kFrenchExports);
  EXPECT_EQ(0, LoadLanguagePack(1031));
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  EXPECT_EQ(nullptr, TheLanguage.packTable);
  EXPECT_STREQ("File", GetString(4001));
  EXPECT_EQ(0, InMemoryLibraryLoadCount(path.c_str()));

  // Without GetLangID the language in force must match the one asked for.
  std::string tableOnly = Install("de", kTableOnlyExports);
  EXPECT_EQ(0, LoadLanguagePack(1031));
  EXPECT_EQ(0, InMemoryLibraryLoadCount(tableOnly.c_str()));
  EXPECT_EQ(1033, TheLanguage.currentLangId);
}

TEST_F(LanguageTest, APackWithoutTableIsRefusedAndThePreviousPackStays) {
  Install("ar", kArabicExports);
  ASSERT_EQ(1, LoadLanguagePack(10241));
  std::string path = Install("de", kTablelessExports);
  EXPECT_EQ(0, LoadLanguagePack(1031));
  EXPECT_EQ(10241, TheLanguage.currentLangId);
  EXPECT_EQ(178, TheLanguage.uiFontCharset);
  EXPECT_STREQ("Tahoma", TheLanguage.uiFontName);
  EXPECT_STREQ("\xc3\xe1\xdd", GetString(4001));
  EXPECT_EQ(0, InMemoryLibraryLoadCount(path.c_str()));
}

TEST_F(LanguageTest, MissingFontExportsKeepTheFontInForce) {
  std::string path = Install("de", kGermanExports);
  ASSERT_EQ(1, LoadLanguagePack(1031));
  EXPECT_STREQ("MS Sans Serif", TheLanguage.uiFontName);
  EXPECT_EQ(9, TheLanguage.uiFontSize);
  EXPECT_EQ(1, TheLanguage.uiFontCharset);
  EXPECT_STREQ("Datei", GetString(4001));
}

TEST_F(LanguageTest, UnknownLanguageOrMissingFileChangesNothing) {
  std::string registeredOnly = Install("ar", kArabicExports, /*onDisk=*/false);
  EXPECT_EQ(0, LoadLanguagePack(1041));
  EXPECT_EQ(0, LoadLanguagePack(10241));
  EXPECT_EQ(0, InMemoryLibraryLoadCount(registeredOnly.c_str()));
  // A file that is there but cannot be loaded as a library.
  PackPath("ru", /*onDisk=*/true);
  EXPECT_EQ(0, LoadLanguagePack(1049));
  EXPECT_EQ(1033, TheLanguage.currentLangId);
  EXPECT_STREQ("MS Sans Serif", TheLanguage.uiFontName);
  EXPECT_EQ(1, TheLanguage.uiFontCharset);
  EXPECT_EQ(nullptr, TheLanguage.packTable);
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(LanguageTest, ThePackTableIsSearchedOnlyUpToItsFirstBrokenEntry) {
  Install("ru", kBrokenExports);
  ASSERT_EQ(1, LoadLanguagePack(1049));
  EXPECT_EQ(204, TheLanguage.uiFontCharset);
  EXPECT_EQ(2, TheLanguage.packTableCount);
  EXPECT_STREQ("two", GetString(4002));
  EXPECT_STREQ("Menu File:", GetString(4003));  // English: the entry is past the break
}

TEST(LanguageCodes, CoverTheTwentyFourPacks) {
  const char* code = nullptr;
  int charset = 0;
  ASSERT_TRUE(FindLanguageCode(10241, &code, &charset));
  EXPECT_STREQ("ar", code);
  EXPECT_EQ(178, charset);
  ASSERT_TRUE(FindLanguageCode(1029, &code, &charset));
  EXPECT_STREQ("cz", code);
  EXPECT_EQ(238, charset);
  ASSERT_TRUE(FindLanguageCode(2074, &code, &charset));
  EXPECT_STREQ("yu", code);
  EXPECT_FALSE(FindLanguageCode(1033, &code, &charset));
  EXPECT_FALSE(FindLanguageCode(1041, &code, &charset));
}

TEST(CountLangStrEntries, StopsAtTheEndMarkerOrTheFirstBrokenEntry) {
  const LangStrEntry marked[] = {{1, "a"}, {5, "b"}, {0, nullptr}, {9, "c"}};
  EXPECT_EQ(2, CountLangStrEntries(marked, nullptr, nullptr));
  const LangStrEntry nullText[] = {{1, "a"}, {2, nullptr}, {3, "c"}, {0, nullptr}};
  EXPECT_EQ(1, CountLangStrEntries(nullText, nullptr, nullptr));
  const LangStrEntry falling[] = {{7, "a"}, {3, "b"}, {0, nullptr}};
  EXPECT_EQ(1, CountLangStrEntries(falling, nullptr, nullptr));
  const LangStrEntry negative[] = {{-4, "a"}, {0, nullptr}};
  EXPECT_EQ(0, CountLangStrEntries(negative, nullptr, nullptr));
  EXPECT_EQ(0, CountLangStrEntries(nullptr, nullptr, nullptr));
}

TEST(CountLangStrEntries, AnEndlessTableIsCutAtTheCap) {
  std::vector<LangStrEntry> endless(kMaxLangStrEntries + 10);
  for (size_t i = 0; i < endless.size(); i++) endless[i] = {(int32_t)(i + 1), "x"};
  EXPECT_EQ(kMaxLangStrEntries, CountLangStrEntries(endless.data(), nullptr, nullptr));
}

// A fake image: texts, then a table, then bytes without a NUL at its end.
struct FakeImage {
  char texts[16];
  LangStrEntry table[4];
  char tail[4];
};

TEST(CountLangStrEntries, EntriesAndTextsMustLieInsideTheImage) {
  static FakeImage image;
  memcpy(image.texts, "one\0two\0three", 14);
  memcpy(image.tail, "abcd", 4);
  const char* begin = (const char*)&image;
  const char* end = image.tail + sizeof image.tail;  // not sizeof: padding follows
  image.table[0] = {1, image.texts};
  image.table[1] = {2, image.texts + 4};
  image.table[2] = {3, image.texts + 8};
  image.table[3] = {4, image.tail};  // runs to the image's end without a NUL
  EXPECT_EQ(3, CountLangStrEntries(image.table, begin, end));

  static const char outside[] = "outside";
  image.table[1].text = outside;
  EXPECT_EQ(1, CountLangStrEntries(image.table, begin, end));

  // The image ends inside the table: an entry that is not wholly inside
  // the image is not read.
  image.table[1].text = image.texts + 4;
  EXPECT_EQ(2, CountLangStrEntries(image.table, begin,
                                   (const char*)&image.table[2] + sizeof(LangStrEntry) - 1));
}
