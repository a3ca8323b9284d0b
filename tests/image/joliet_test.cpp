// The Joliet tree: names, order, descriptor and layout.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/image/iso_test_support.h"

using namespace isotest;

TEST(Joliet, EmptyFolderLayoutHasTheSupplementaryDescriptorAndSecondTree) {
  TempTree tree("jempty");
  BuildSetup setup;
  setup.joliet = 1;
  setup.label = "BootMenu";
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(SectorCount(b), 29u);
  const uint8_t* svd = Sector(b, 17);
  EXPECT_EQ(svd[0], 2);
  EXPECT_EQ(Sector(b, 18)[0], 255);
  EXPECT_EQ(svd[88], 0x25);
  EXPECT_EQ(svd[89], 0x2F);
  EXPECT_EQ(svd[90], 0x45);
  EXPECT_EQ(Le32(svd + 140), 24u);
  EXPECT_EQ(Be32(svd + 148), 26u);
  EXPECT_EQ(Le32(svd + 156 + 2), 28u);
  EXPECT_EQ(Le32(Sector(b, 24) + 2), 28u);  // first Joliet path record
  // "BootMenu" and eight UCS-2 spaces.
  const uint8_t expected[] = {0, 'B', 0, 'o', 0, 'o', 0, 't', 0, 'M', 0, 'e', 0, 'n', 0, 'u'};
  EXPECT_EQ(memcmp(svd + 40, expected, 16), 0);
  for (int i = 16; i < 32; i += 2) {
    EXPECT_EQ(svd[40 + i], 0);
    EXPECT_EQ(svd[40 + i + 1], ' ');
  }
  // Everything else is the primary descriptor's.
  const uint8_t* pvd = Sector(b, 16);
  EXPECT_EQ(memcmp(svd + 80, pvd + 80, 8), 0);
  EXPECT_EQ(memcmp(svd + 813, pvd + 813, 17 * 4), 0);
}

TEST(Joliet, NamesKeepTheirCaseAreCutAt64AndLoseForbiddenCharacters) {
  TempTree tree("jnames");
  tree.File("Read Me.txt", "r");
  std::string seventy(70, 'n');
  tree.File(seventy, "s");
  tree.File("semi;colon", "c");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  Record readme = FindRecord(b, "", "Read Me.txt", true);
  ASSERT_TRUE(readme.length);
  EXPECT_EQ(readme.length, 34u + 22u);
  EXPECT_EQ(FileContents(b, readme), "r");
  EXPECT_EQ(readme.extent, FindRecord(b, "", "READ ME.TXT").extent);  // data shared by both trees
  Record cut = FindRecord(b, "", seventy.substr(0, 64), true);
  EXPECT_EQ(cut.length, 162u);
  EXPECT_TRUE(FindRecord(b, "", "semi_colon", true).length);
  EXPECT_EQ(b.log.find("Unexpected joliet directory length"), std::string::npos) << b.log;
}

TEST(Joliet, EntriesSortByUcs2Value) {
  TempTree tree("jorder");
  tree.File("a", "1");
  tree.File("B", "2");
  tree.File("_x", "3");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  std::vector<std::string> names = Names(ListDirectory(b, "", true));
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "B");
  EXPECT_EQ(names[1], "_x");
  EXPECT_EQ(names[2], "a");
}

// A Windows reader reaches only one of two entries whose names are equal
// or differ only in case.
TEST(Joliet, NamesThatBecomeEqualGetTheCounterAndTheRenamingIsLogged) {
  TempTree tree("jdup");
  tree.File("a;b.txt", "semicolon");
  tree.File("a_b.txt", "underscore");
  tree.File("Ab;c", "semicolon 2");
  tree.File("ab_C", "plain");
  std::string common(64, 'q');
  tree.File(common + "1.txt", "1");
  tree.File(common + "2.txt", "2");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  // The name that is the source name stays; the mapped or cut one changes.
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "a_b.txt", true)), "underscore");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "a_b000.txt", true)), "semicolon");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "ab_C", true)), "plain");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "Ab_c000", true)), "semicolon 2");
  // Both are cut to 60 characters and the extension; of the two the one met
  // first in the entry list takes the counter, before its extension.
  EXPECT_EQ(FileContents(b, FindRecord(b, "", common.substr(0, 57) + "000.txt", true)), "1");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", common.substr(0, 60) + ".txt", true)), "2");
  EXPECT_EQ(Names(ListDirectory(b, "", true)).size(), 6u);
  EXPECT_NE(b.log.find("Using Joliet name a_b000.txt for /a;b.txt (a_b.txt)\n"), std::string::npos) << b.log;
  EXPECT_EQ(b.log.find("have the same Joliet name"), std::string::npos) << b.log;
  EXPECT_EQ(b.log.find("Joliet Tree Sort Error!"), std::string::npos) << b.log;
  EXPECT_EQ(b.log.find("do not match"), std::string::npos) << b.log;
}

// Windows chooses the program by the extension, and cannot open a file or
// folder whose name ends in a dot or a blank.
TEST(Joliet, ACutNameKeepsItsExtensionAndNeverEndsInADotOrABlank) {
  TempTree tree("jcut");
  tree.File("Quarterly report of the northern sales region, late version two.docx", "report");
  tree.File(std::string(63, 'x') + " tail", "blank");
  tree.File(std::string(63, 'y') + "." + std::string(60, 'z'), "dot");  // too long an extension to keep
  tree.Folder(std::string(63, 'f') + "." + std::string(60, 'g'));
  tree.File(std::string(63, 'Z') + " one", "Z");  // cut alike but for case
  tree.File(std::string(63, 'z') + " two", "z");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "Quarterly report of the northern sales region, late version.docx", true)),
            "report");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", std::string(63, 'x'), true)), "blank");
  EXPECT_EQ(FileContents(b, FindRecord(b, "", std::string(63, 'y'), true)), "dot");
  EXPECT_EQ(FindRecord(b, "", std::string(63, 'f'), true).flags, 0x02);
  std::vector<std::string> names = Names(ListDirectory(b, "", true));
  ASSERT_EQ(names.size(), 6u);
  for (const std::string& name : names) {
    EXPECT_LE(name.size(), 64u) << name;
    EXPECT_TRUE(name.back() != '.' && name.back() != ' ') << name;
  }
  std::string twins = FileContents(b, FindRecord(b, "", std::string(63, 'Z'), true)) +
                      FileContents(b, FindRecord(b, "", std::string(63, 'z'), true)) +
                      FileContents(b, FindRecord(b, "", std::string(61, 'Z') + "000", true)) +
                      FileContents(b, FindRecord(b, "", std::string(61, 'z') + "000", true));
  EXPECT_TRUE(twins == "Zz" || twins == "zZ") << twins;
  EXPECT_EQ(b.log.find("have the same Joliet name"), std::string::npos) << b.log;
}

TEST(Joliet, SubdirectoryRecordsPointIntoTheJolietTree) {
  TempTree tree("jsub");
  tree.Folder("Sub Folder");
  tree.File("Sub Folder/Inner File.txt", "inner");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  Record sub = FindRecord(b, "", "Sub Folder", true);
  ASSERT_TRUE(sub.length);
  EXPECT_NE(sub.extent, FindRecord(b, "", "SUB FOLDER").extent);
  std::vector<Record> inner = ListDirectory(b, "Sub Folder", true);
  ASSERT_EQ(inner.size(), 3u);
  EXPECT_EQ(inner[0].extent, sub.extent);
  EXPECT_EQ(inner[1].extent, Le32(Descriptor(b, 2) + 156 + 2));
  EXPECT_EQ(FileContents(b, inner[2]), "inner");
}
