// ISO 9660 names: the mapping of source names, collisions and order.
#include <gtest/gtest.h>

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
