// The layout of whole images and the ISO 9660 structures in them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/file_times.h"
#include "tests/image/iso_test_support.h"

using namespace isotest;

TEST(IsoLayout, EmptyFolderGivesTwentyThreeSectorsInTheDocumentedPlaces) {
  TempTree tree("empty");
  BuildSetup setup;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(SectorCount(b), 23u);
  for (uint32_t i = 0; i < 16 * 2048; i++) ASSERT_EQ(b.image[i], 0) << i;
  const uint8_t* pvd = Sector(b, 16);
  EXPECT_EQ(pvd[0], 1);
  EXPECT_EQ(memcmp(pvd + 1, "CD001", 5), 0);
  EXPECT_EQ(Le32(pvd + 80), 23u);
  EXPECT_EQ(Be32(pvd + 84), 23u);
  EXPECT_EQ(Le32(pvd + 140), 18u);  // L table
  EXPECT_EQ(Be32(pvd + 148), 20u);  // M table
  EXPECT_EQ(Le32(pvd + 132), 10u);  // one root record of 10 bytes
  EXPECT_EQ(Le32(pvd + 156 + 2), 22u);
  EXPECT_EQ(Le32(pvd + 156 + 10), 2048u);
  EXPECT_EQ(pvd[156 + 25], 2);
  const uint8_t* term = Sector(b, 17);
  EXPECT_EQ(term[0], 255);
  EXPECT_EQ(memcmp(term + 1, "CD001", 5), 0);
  // The path tables: one record for the root, little- and big-endian.
  const uint8_t* l = Sector(b, 18);
  const uint8_t* m = Sector(b, 20);
  EXPECT_EQ(l[0], 1);
  EXPECT_EQ(Le32(l + 2), 22u);
  EXPECT_EQ(Le16(l + 6), 1);
  EXPECT_EQ(Be32(m + 2), 22u);
  EXPECT_EQ(Be16(m + 6), 1);
  std::vector<Record> root = ListDirectory(b, "");
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[0].name, std::string(1, '\0'));
  EXPECT_EQ(root[1].name, std::string(1, '\1'));
  EXPECT_EQ(root[1].extent, 22u);
  EXPECT_NE(b.log.find("Writen 23 Sectors ( 46KB Bytes)\n"), std::string::npos);
}

TEST(IsoLayout, DescriptorTextsAreCutAndDatesAgree) {
  TempTree tree("texts");
  BuildSetup setup;
  std::string label(40, 'L'), preparer(200, 'P');
  setup.label = label.c_str();
  setup.preparer = preparer.c_str();
  Build b = RunBuild(tree.root(), setup);
  const uint8_t* pvd = Descriptor(b, 1);
  ASSERT_TRUE(pvd);
  EXPECT_EQ(std::string((const char*)pvd + 8, 32), "Win32" + std::string(27, ' '));
  EXPECT_EQ(std::string((const char*)pvd + 40, 32), std::string(32, 'L'));
  EXPECT_EQ(std::string((const char*)pvd + 446, 128), std::string(128, 'P'));
  EXPECT_EQ(std::string((const char*)pvd + 190, 128), std::string(128, ' '));
  EXPECT_EQ(memcmp(pvd + 813, pvd + 830, 17), 0);
  EXPECT_EQ(memcmp(pvd + 813, pvd + 864, 17), 0);
  EXPECT_EQ(std::string((const char*)pvd + 847, 17), std::string(16, '0') + std::string(1, '\0'));
  EXPECT_EQ(pvd[881], 1);
  EXPECT_EQ(pvd[883], ' ');
  EXPECT_EQ(pvd[883 + 511], ' ');
}

TEST(IsoLayout, FileDataIsPaddedAndZeroByteFilesTakeNoSector) {
  TempTree tree("data");
  tree.File("one.txt", "x");
  tree.File("zero.txt", "");
  tree.FileOfSize("chunks.bin", 32769, 7);
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  Record one = FindRecord(b, "", "ONE.TXT");
  Record chunks = FindRecord(b, "", "CHUNKS.BIN");
  Record zero = FindRecord(b, "", "ZERO.TXT");
  ASSERT_TRUE(one.length && chunks.length && zero.length);
  EXPECT_EQ(one.size, 1u);
  EXPECT_EQ(FileContents(b, one), "x");
  for (int i = 1; i < 2048; i++) EXPECT_EQ(Sector(b, one.extent)[i], 0);
  EXPECT_EQ(FileContents(b, chunks), ReadWholeFile(tree.Path("chunks.bin")));
  EXPECT_EQ(zero.size, 0u);
  // Sorted order CHUNKS.BIN, ONE.TXT, ZERO.TXT: 17 + 1 sectors, then the
  // zero-byte file points at the end of the image.
  EXPECT_EQ(one.extent, chunks.extent + 17);
  EXPECT_EQ(zero.extent, one.extent + 1);
  EXPECT_EQ(SectorCount(b), zero.extent);
}

TEST(IsoLayout, DirectoryRecordsNeverReachTheEndOfASector) {
  // Enough long names that records spill over several sectors; every record
  // must lie inside one sector without ending at its last byte, and the
  // written directory must fill exactly the size it was given.
  TempTree tree("spill");
  for (int i = 0; i < 60; i++) {
    char name[80];
    snprintf(name, sizeof name, "file_with_a_rather_long_name_%03d.txt", i);
    tree.File(name, "z");
  }
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  std::vector<Record> root = ListDirectory(b, "");
  ASSERT_EQ(root.size(), 62u);
  for (const Record& r : root) {
    EXPECT_LT(r.offset % 2048 + r.length, 2048u) << r.name;
  }
  EXPECT_EQ(b.log.find("Unexpected directory length"), std::string::npos) << b.log;
  EXPECT_EQ(b.log.find("Path table lengths do not match"), std::string::npos) << b.log;
}

TEST(IsoLayout, PathTablesListDirectoriesByParentThenName) {
  TempTree tree("paths");
  tree.Folder("zeta");
  tree.Folder("alpha");
  tree.Folder("zeta/inner");
  tree.Folder("alpha/beta");
  tree.File("alpha/beta/f.txt", "f");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  const uint8_t* pvd = Descriptor(b, 1);
  const uint8_t* l = Sector(b, Le32(pvd + 140));
  const uint8_t* m = Sector(b, Be32(pvd + 148));
  uint32_t bytes = Le32(pvd + 132);
  std::vector<std::string> names;
  std::vector<int> parents;
  for (uint32_t pos = 0; pos < bytes;) {
    int length = l[pos];
    names.push_back(std::string((const char*)l + pos + 8, (size_t)length));
    parents.push_back(Le16(l + pos + 6));
    EXPECT_EQ(Le32(l + pos + 2), Be32(m + pos + 2));
    EXPECT_EQ(Le16(l + pos + 6), Be16(m + pos + 6));
    pos += 8 + length + (length & 1);
  }
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[1], "ALPHA");
  EXPECT_EQ(names[2], "ZETA");
  EXPECT_EQ(names[3], "BETA");
  EXPECT_EQ(names[4], "INNER");
  EXPECT_EQ(parents[3], 2);
  EXPECT_EQ(parents[4], 3);
  EXPECT_EQ(FileContents(b, FindRecord(b, "ALPHA/BETA", "F.TXT")), "f");
  // Each directory's ".." points at its parent.
  EXPECT_EQ(ListDirectory(b, "ALPHA/BETA")[1].extent, FindRecord(b, "", "ALPHA").extent);
}

TEST(IsoLayout, OutputInsideTheSourceFolderIsRecordedEmpty) {
  TempTree tree("self");
  tree.File("disc.iso", "old image");
  BuildSetup setup;
  std::string output = tree.Path("disc.iso");
  setup.output = output;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(b.infos.size(), 1u);
  EXPECT_EQ(b.infos[0], "ISO '" + output + "' Cnanot Self-Content!");
  EXPECT_EQ(FindRecord(b, "", "DISC.ISO").size, 0u);
}

TEST(IsoLayout, TwoBuildsInOneRunStartFromScratch) {
  TempTree tree("twice");
  tree.File("a.txt", "aaa");
  Build first = RunBuild(tree.root(), BuildSetup());
  Build second = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(first.result, 1);
  ASSERT_EQ(second.result, 1);
  EXPECT_EQ(SectorCount(first), SectorCount(second));
  EXPECT_EQ(FileContents(second, FindRecord(second, "", "A.TXT")), "aaa");
}

#ifdef TW_WIN32
#include <windows.h>

TEST(IsoLayout, HiddenSourcesCarryTheExistenceBit) {
  TempTree tree("hidden");
  tree.File("secret.txt", "s");
  tree.File("plain.txt", "p");
  SetFileAttributesA(tree.Path("secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Build b = RunBuild(tree.root(), BuildSetup());
  EXPECT_EQ(FindRecord(b, "", "SECRET.TXT").flags, 0x01);
  EXPECT_EQ(FindRecord(b, "", "PLAIN.TXT").flags, 0x00);
  SetFileAttributesA(tree.Path("secret.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

static void SetZone(const char* zone) {
#ifdef TW_WIN32
  _putenv_s("TZ", zone);
  _tzset();
#else
  setenv("TZ", zone, 1);
  tzset();
#endif
}

static std::vector<int> Date(const Record& r) {
  std::vector<int> fields(r.date, r.date + 6);
  fields.push_back((int8_t)r.date[6]);
  return fields;
}

// A record states years 1900 to 2155 and offsets from UTC of -12 to +13
// hours: a date beyond them is clamped, never wrapped.
TEST(IsoLayout, DatesOutsideWhatARecordHoldsAreClampedAndTheMomentKept) {
  const char* zone = getenv("TZ");
  std::string zone_before = zone ? zone : "";
  TempTree tree("dates");
  tree.File("future.txt", "2200");
  SetFileTimes(tree.Path("future.txt").c_str(), 7258118400LL);  // 2200-01-01 00:00:00 UTC
  tree.File("summer.txt", "2024");
  SetFileTimes(tree.Path("summer.txt").c_str(), 1717243200LL);  // 2024-06-01 12:00:00 UTC
  SetZone("UTC0");
  Build b = RunBuild(tree.root(), BuildSetup());
  EXPECT_EQ(Date(FindRecord(b, "", "FUTURE.TXT")), (std::vector<int>{255, 12, 31, 23, 59, 59, 0}));
  EXPECT_EQ(Date(FindRecord(b, "", "SUMMER.TXT")), (std::vector<int>{124, 6, 1, 12, 0, 0, 0}));
  BuildSetup fixed;
  fixed.set_date_time = 1;
  fixed.fixed_time = (time_t)-3786825600LL;  // 1850-01-01
  b = RunBuild(tree.root(), fixed);
  EXPECT_EQ(Date(FindRecord(b, "", "SUMMER.TXT")), (std::vector<int>{0, 1, 1, 0, 0, 0, 0}));
  // Fourteen hours east of UTC is stated as thirteen, an hour earlier.
  SetZone("UTC-14");
  b = RunBuild(tree.root(), BuildSetup());
  EXPECT_EQ(Date(FindRecord(b, "", "SUMMER.TXT")), (std::vector<int>{124, 6, 2, 1, 0, 0, 52}));
  const uint8_t* pvd = Descriptor(b, 1);
  ASSERT_TRUE(pvd);
  EXPECT_EQ((int8_t)pvd[813 + 16], 52);
  SetZone(zone_before.empty() ? "UTC0" : zone_before.c_str());
}
