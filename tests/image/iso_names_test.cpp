// ISO 9660 names: the mapping of source names, collisions and order.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <set>
#include <string>

#include "tests/image/iso_test_support.h"

using namespace isotest;

static std::string Mapped(const char* name, bool long_names, bool lowercase = false, bool directory = false) {
  Iso.allow_long_names = long_names;
  Iso.allow_lowercase = lowercase;
  DirectoryEntry e;
  memset(&e, 0, sizeof e);
  map_iso_name(name, &e, directory);
  std::string mapped = e.iso_name ? e.iso_name : "";
  engine_free(e.iso_name);
  return mapped;
}

TEST(IsoNames, ShortNamesFollowTheEightThreeRule) {
  EXPECT_EQ(Mapped("readme.txt", false), "README.TXT");
  EXPECT_EQ(Mapped("readme.txt", false, true), "readme.txt");
  EXPECT_EQ(Mapped("longfilename.text", false), "LONGFILE.TEX");
  EXPECT_EQ(Mapped("a.b.c", false), "A.B.C");
  EXPECT_EQ(Mapped(".profile", false), "_PROFILE");
  EXPECT_EQ(Mapped("file.", false), "FILE.");
  EXPECT_EQ(Mapped("notes.txt.", false), "NOTES.TXT");
  EXPECT_EQ(Mapped("report-2024.doc", false), "REPORT-2.DOC");
  EXPECT_EQ(Mapped("backup.doc~", false), "BACKUP.DOC");
}

TEST(IsoNames, LongNamesKeepTheWholeExtensionWithinTheLimit) {
  EXPECT_EQ(Mapped("longfilename.text", true), "LONGFILENAME.TEXT");
  // Dots after the extension dot stay, so these names stay apart.
  EXPECT_EQ(Mapped("notes.txt.", true), "NOTES.TXT.");
  EXPECT_EQ(Mapped("back.up.~1~", true), "BACK.UP.~1~");
  EXPECT_EQ(Mapped("trailing..", true), "TRAILING..");
  EXPECT_EQ(Mapped("trailing.", true), "TRAILING.");
  std::string base(250, 'b');
  std::string name = base + ".txt";
  std::string mapped = Mapped(name.c_str(), true);
  EXPECT_EQ(mapped.size(), 207u);
  EXPECT_EQ(mapped.substr(mapped.size() - 4), ".TXT");
  std::string long_ext = "x." + std::string(120, 'e');
  mapped = Mapped(long_ext.c_str(), true);
  EXPECT_EQ(mapped.substr(0, 2), "X.");
  EXPECT_LE(mapped.size(), 207u);
  std::string folder(230, 'd');
  EXPECT_EQ(Mapped(folder.c_str(), true, false, true).size(), 207u);
  EXPECT_EQ(Mapped(".", true), std::string());
  EXPECT_EQ(Mapped("..", true), "\x01");
}

TEST(IsoNames, CollisionRenamesTheEntryMetFirstAndLogsIt) {
  TempTree tree("collide");
  tree.File("abcdefgh1.txt", "1");
  tree.File("abcdefgh2.txt", "2");
  BuildSetup setup;
  setup.long_names = 0;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  // The entry list holds the later-listed file first; it takes the new name.
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "ABCDE000.TXT")), "2");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "ABCDEFGH.TXT")), "1");
  size_t first = b.log.find("Using ABCDE000.TXT for  ");
  ASSERT_NE(first, std::string::npos) << b.log;
  EXPECT_EQ(b.log.find("Using ", first + 1), std::string::npos);
  EXPECT_NE(b.log.find("/abcdefgh2.txt (abcdefgh1.txt)"), std::string::npos) << b.log;
}

TEST(IsoNames, FileAndFolderOfOneNameAreMadeDistinct) {
  TempTree tree("filefolder");
  // Both map to LONGFOLD in 8.3 form.
  tree.File("longfoldername", "file");
  tree.Folder("longfoldernam2");
  tree.File("longfoldernam2/in.txt", "in");
  BuildSetup setup;
  setup.long_names = 0;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  std::vector<std::string> names = Names(ListDirectory(b, ""));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(names[0], names[1]);
  // The file, listed later and so met first, takes the new name.
  EXPECT_EQ(FindRecord(b, "", "LONGFOLD").flags, 0x02);
  EXPECT_EQ(FindRecord(b, "", "LONGF000").size, 4u);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "LONGF000")), "file");
  EXPECT_EQ(FileContents(b, FindRecord(b, "LONGFOLD", "IN.TXT")), "in");
}

TEST(IsoNames, EntriesSortWithDotFirstThenByByteValue) {
  TempTree tree("order");
  tree.File("A_B", "1");
  tree.File("AB", "2");
  tree.File("A.TXT", "3");
  Build b = RunBuild(tree.root(), BuildSetup());
  std::vector<std::string> names = Names(ListDirectory(b, ""));
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "A.TXT");
  EXPECT_EQ(names[1], "AB");
  EXPECT_EQ(names[2], "A_B");
}

TEST(IsoNames, TenThousandCollidingShortNamesAreAllDistinct) {
  // Every name maps to LONGF*.TXT in 8.3 form; the counter search must stay
  // linear and every entry must end with a name of its own.
  TempTree tree("many");
  const int kFiles = 10000;
  for (int i = 0; i < kFiles; i++) {
    char name[64];
    snprintf(name, sizeof name, "longfilename%05d.txt", i);
    tree.File(name, "");
  }
  BuildSetup setup;
  setup.long_names = 0;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  std::vector<std::string> names = Names(ListDirectory(b, ""));
  ASSERT_EQ(names.size(), (size_t)kFiles);
  std::set<std::string> distinct(names.begin(), names.end());
  EXPECT_EQ(distinct.size(), (size_t)kFiles);
  EXPECT_TRUE(distinct.count("LONGFILE.TXT"));
  EXPECT_TRUE(distinct.count("LONGF000.TXT"));
  EXPECT_TRUE(distinct.count("LONGF7PQ.TXT"));  // counter 9998 in base 36
  EXPECT_FALSE(distinct.count("LONGF7PR.TXT"));
}

TEST(IsoNames, CollisionNamesOfLongExtensionsStayWithin207Characters) {
  TempTree tree("longext");
  // Both map to X. and 205 E; the new name keeps as much of the extension
  // as 207 characters hold.
  std::string extension(206, 'e');
  tree.File("x." + extension, "first");
  tree.File("x." + extension + "e", "second");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  std::vector<std::string> names = Names(ListDirectory(b, ""));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "000." + std::string(203, 'E'));
  EXPECT_EQ(names[1], "X." + std::string(205, 'E'));
  EXPECT_EQ(FileContents(b, FindRecord(b, "", names[1])), "first");
}

// Every reader takes a ";" in an ISO 9660 name for the start of a version
// number: "data;1" would be read as "data".
TEST(IsoNames, ASemicolonBecomesAnUnderscoreAndTheNamesStayUnique) {
  EXPECT_EQ(Mapped("report;v1.doc", true), "REPORT_V1.DOC");
  EXPECT_EQ(Mapped("report;v1.doc", false), "REPORT_V.DOC");
  EXPECT_EQ(Mapped(";notes.txt", false), "_NOTES.TXT");
  EXPECT_EQ(Mapped("v;1.txt", true, true), "v_1.txt");
  EXPECT_EQ(Mapped("dir;1", false, false, true), "DIR_1");
  TempTree tree("semicolon");
  tree.File("data", "plain");
  tree.File("data;1", "semicolon");
  tree.File("a;b.txt", "a semicolon");
  tree.File("a_b.txt", "an underscore");
  tree.Folder("dir;1");
  tree.File("dir;1/in.txt", "inside");
  for (int long_names = 0; long_names < 2; long_names++) {
    BuildSetup setup;
    setup.long_names = long_names;
    Build b = RunBuild(tree.root(), setup);
    ASSERT_EQ(b.result, 1);
    std::vector<std::string> names = Names(ListDirectory(b, ""));
    std::set<std::string> sorted(names.begin(), names.end());
    EXPECT_EQ(sorted, (std::set<std::string>{"A_B.TXT", "A_B000.TXT", "DATA", "DATA_1", "DIR_1"})) << long_names;
    EXPECT_EQ(FileContents(b, FindRecord(b, "", "DATA_1")), "semicolon");
    EXPECT_EQ(FileContents(b, FindRecord(b, "DIR_1", "IN.TXT")), "inside");
    std::set<std::string> contents = {FileContents(b, FindRecord(b, "", "A_B.TXT")),
                                      FileContents(b, FindRecord(b, "", "A_B000.TXT"))};
    EXPECT_EQ(contents, (std::set<std::string>{"a semicolon", "an underscore"}));
  }
}

// A reader that ignores case (Windows) reaches only one of two names that
// differ only in case.
TEST(IsoNames, WithLowerCaseKeptNamesDifferingOnlyInCaseGetTheCounter) {
  TempTree tree("casetwins");
  tree.File("abcdefghX.txt", "x");  // 8.3: abcdefgh.txt
  tree.File("ABCDEFGHY.TXT", "y");  // 8.3: ABCDEFGH.TXT
  tree.File("Ab;c", "semicolon");   // Ab_c
  tree.File("ab_C", "underscore");
  for (int long_names = 0; long_names < 2; long_names++) {
    BuildSetup setup;
    setup.long_names = long_names;
    setup.lowercase = 1;
    Build b = RunBuild(tree.root(), setup);
    ASSERT_EQ(b.result, 1);
    std::set<std::string> folded, contents;
    for (const Record& r : ListDirectory(b, "")) {
      if (r.name.size() == 1 && (uint8_t)r.name[0] <= 1) continue;
      std::string name = r.name;
      for (char& ch : name) ch = (char)tolower((unsigned char)ch);
      folded.insert(name);
      contents.insert(FileContents(b, r));
    }
    EXPECT_EQ(folded.size(), 4u) << long_names;
    EXPECT_EQ(contents, (std::set<std::string>{"x", "y", "semicolon", "underscore"}));
    EXPECT_TRUE(folded.count("ab_c000")) << long_names;
    EXPECT_EQ(folded.count("abcde000.txt"), long_names ? 0u : 1u);
  }
}
