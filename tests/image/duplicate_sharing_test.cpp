// Duplicate-file sharing with the Optimize option.
#include <gtest/gtest.h>

#include <string>

#include "tests/image/iso_test_support.h"

using namespace isotest;

TEST(DuplicateSharing, IdenticalFilesShareOneExtent) {
  TempTree tree("dups");
  tree.Folder("one");
  tree.Folder("two");
  tree.FileOfSize("one/a.bin", 10000, 5);
  tree.FileOfSize("two/b.bin", 10000, 5);
  BuildSetup setup;
  Build plain = RunBuild(tree.root(), setup);
  setup.optimize = 1;
  Build shared = RunBuild(tree.root(), setup);
  ASSERT_EQ(shared.result, 1);
  Record a = FindRecord(shared, "ONE", "A.BIN"), b = FindRecord(shared, "TWO", "B.BIN");
  EXPECT_EQ(a.extent, b.extent);
  EXPECT_EQ(b.size, 10000u);
  EXPECT_EQ(SectorCount(plain), SectorCount(shared) + 5);
  EXPECT_EQ(FileContents(shared, b), ReadWholeFile(tree.Path("two/b.bin")));
}

TEST(DuplicateSharing, FilesThatDifferKeepTheirOwnData) {
  TempTree tree("differ");
  tree.FileOfSize("a.bin", 10000, 5);
  std::string other = ReadWholeFile(tree.Path("a.bin"));
  other[9999] ^= 1;
  tree.File("b.bin", other);
  BuildSetup setup;
  setup.optimize = 1;
  Build b = RunBuild(tree.root(), setup);
  Record ra = FindRecord(b, "", "A.BIN"), rb = FindRecord(b, "", "B.BIN");
  EXPECT_NE(ra.extent, rb.extent);
  EXPECT_EQ(FileContents(b, rb), other);
}

TEST(DuplicateSharing, ThreeEqualFilesPointToTheFirstAndTheOddOneStandsAlone) {
  TempTree tree("three");
  tree.FileOfSize("a.bin", 4096, 1);
  tree.FileOfSize("b.bin", 4096, 1);
  tree.FileOfSize("c.bin", 4096, 1);
  tree.FileOfSize("d.bin", 4096, 2);
  tree.File("e.txt", "");
  tree.File("f.txt", "");
  BuildSetup setup;
  setup.optimize = 1;
  Build b = RunBuild(tree.root(), setup);
  Record a = FindRecord(b, "", "A.BIN");
  EXPECT_EQ(FindRecord(b, "", "B.BIN").extent, a.extent);
  EXPECT_EQ(FindRecord(b, "", "C.BIN").extent, a.extent);
  Record d = FindRecord(b, "", "D.BIN");
  EXPECT_NE(d.extent, a.extent);
  EXPECT_EQ(FileContents(b, d), ReadWholeFile(tree.Path("d.bin")));
  EXPECT_EQ(FindRecord(b, "", "E.TXT").size, 0u);
}

TEST(DuplicateSharing, LargeFilesWithEqualBeginningsShareOnlyWhenWhollyEqual) {
  // 200,000-byte files: x1 and x2 equal, y equal to them in the first
  // 100,000 bytes only, z another copy of x1 met after y, w a copy of y.
  TempTree tree("heads");
  tree.FileOfSize("x1.bin", 200000, 8);
  std::string x = ReadWholeFile(tree.Path("x1.bin"));
  std::string y = x;
  y[150000] ^= 0x40;
  tree.File("x2.bin", x);
  tree.File("y.bin", y);
  tree.File("z.bin", x);
  tree.File("w.bin", y);
  BuildSetup setup;
  setup.optimize = 1;
  Build b = RunBuild(tree.root(), setup);
  Record x1 = FindRecord(b, "", "X1.BIN"), x2 = FindRecord(b, "", "X2.BIN");
  Record ry = FindRecord(b, "", "Y.BIN"), rz = FindRecord(b, "", "Z.BIN"), rw = FindRecord(b, "", "W.BIN");
  EXPECT_EQ(x2.extent, x1.extent);
  EXPECT_EQ(rz.extent, x1.extent);
  EXPECT_NE(ry.extent, x1.extent);
  EXPECT_EQ(rw.extent, ry.extent);
  EXPECT_EQ(FileContents(b, ry), y);
  EXPECT_EQ(FileContents(b, rz), x);
}
