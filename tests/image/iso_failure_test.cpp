// Builds that cannot complete: cancel, the 4 GB question, write errors and
// source files that vanish or shrink, files too large for one extent.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/message_boxes.h"
#include "platform/files.h"
#include "tests/image/iso_test_support.h"

#ifndef TW_WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace isotest;

static void MakeSparse(const std::string& path, int64_t size) {
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
#ifdef TW_WIN32
  ASSERT_EQ(_fseeki64(f, size - 1, SEEK_SET), 0);
#else
  ASSERT_EQ(fseeko(f, (off_t)(size - 1), SEEK_SET), 0);
#endif
  fputc(0, f);
  fclose(f);
}

TEST(IsoFailure, StopDuringTheWriteDeletesThePartialImage) {
  TempTree tree("cancel");
  for (int i = 0; i < 5; i++) tree.FileOfSize("f" + std::to_string(i) + ".bin", 100000, (unsigned)i);
  BuildSetup setup;
  setup.cancel_after_updates = 3;
  Build b = RunBuild(tree.root(), setup);
  EXPECT_EQ(b.result, 0);
  EXPECT_FALSE(b.output_exists);
  EXPECT_EQ(b.updates, 3);
  EXPECT_NE(b.log.find("Canceled by User. \n"), std::string::npos) << b.log;
  EXPECT_EQ(b.log.find(" Sectors ( "), std::string::npos);  // no success line
}

TEST(IsoFailure, NoToTheFatQuestionWritesNothing) {
  TempTree tree("fat");
  // Two sparse files of 2.2 GB lay out an image past 4 GB without data.
  MakeSparse(tree.Path("a.bin"), 2200000000LL);
  MakeSparse(tree.Path("b.bin"), 2200000000LL);
  BuildSetup setup;
  setup.cancel_after_updates = 1;  // should the question not come, stop at once
  setup.claim_fat_volume = true;
  setup.answer_fat_no = true;
  Build b = RunBuild(tree.root(), setup);
  EXPECT_EQ(b.fat_questions, 1);
  EXPECT_EQ(b.result, 0);
  EXPECT_TRUE(b.output_exists);
  EXPECT_TRUE(b.image.empty());
  EXPECT_EQ(b.updates, 0);
}

TEST(IsoFailure, FilesOfFourGigabytesAreRefusedAndLeftOut) {
  TempTree tree("huge");
  MakeSparse(tree.Path("huge.bin"), 4294967296LL);
  tree.File("small.txt", "small");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(b.errors.size(), 1u);
  EXPECT_NE(b.errors[0].find("huge.bin"), std::string::npos);
  EXPECT_EQ(FindRecord(b, "", "HUGE.BIN").length, 0u);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "SMALL.TXT")), "small");
}

struct VanishingFiles {
  std::string gone, shrunk;
};

static void DeleteAndShrink(void* data) {
  VanishingFiles* v = (VanishingFiles*)data;
  ForceDeleteFile(v->gone.c_str());
  FILE* f = fopen(v->shrunk.c_str(), "wb");
  fputs("short", f);
  fclose(f);
}

TEST(IsoFailure, SourcesThatVanishOrShrinkLeaveZerosAndAreNamedToTheUser) {
  TempTree tree("vanish");
  tree.FileOfSize("gone.bin", 5000, 1);
  tree.FileOfSize("shrunk.bin", 40000, 2);
  tree.File("kept.txt", "kept");
  VanishingFiles v = {tree.Path("gone.bin"), tree.Path("shrunk.bin")};
  BuildSetup setup;
  setup.after_scan = DeleteAndShrink;
  setup.after_scan_data = &v;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(b.errors.size(), 2u);
  EXPECT_EQ(b.errors[0], "File '" + v.gone + "' Open Error!");
  EXPECT_NE(b.errors[1].find(v.shrunk), std::string::npos);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "GONE.BIN")), std::string(5000, '\0'));
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "SHRUNK.BIN")), "short" + std::string(40000 - 5, '\0'));
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "KEPT.TXT")), "kept");
}

TEST(IsoFailure, MissingOutputFolderWritesNothingAndSaysSo) {
  TempTree tree("nooutput");
  tree.File("a.txt", "a");
  BuildSetup setup;
  setup.output = tree.Path("no/such/folder/out.iso");
  Build b = RunBuild(tree.root(), setup);
  EXPECT_EQ(b.result, 0);
  EXPECT_FALSE(b.output_exists);
  EXPECT_EQ(b.errors.size(), 1u);
}

#ifndef TW_WIN32
TEST(IsoFailure, AShortWriteStopsTheBuildAndDeletesTheImage) {
  // A file size limit makes the output's writes fail part way, as a full
  // disk does.
  TempTree tree("short");
  tree.FileOfSize("big.bin", 300000, 3);
  signal(SIGXFSZ, SIG_IGN);
  struct rlimit before;
  getrlimit(RLIMIT_FSIZE, &before);
  struct rlimit limit = before;
  limit.rlim_cur = 100000;
  setrlimit(RLIMIT_FSIZE, &limit);
  Build b = RunBuild(tree.root(), BuildSetup());
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(b.result, 0);
  EXPECT_FALSE(b.output_exists);
  ASSERT_EQ(b.errors.size(), 1u);
  EXPECT_NE(b.errors[0].find("disk full or write error"), std::string::npos);
  EXPECT_EQ(b.log.find(" Sectors ( "), std::string::npos);
}
#endif

TEST(IsoFailure, OutputPathsThatDoNotFitAreRefusedAndClosingTwiceIsHarmless) {
  TempTree tree("outpath");
  std::string too_long = tree.Path(std::string(300, 'o') + ".iso");
  EXPECT_EQ(iso_create_output(too_long.c_str()), 0);
  EXPECT_EQ(iso_create_output(tree.Path("no/folder/x.iso").c_str()), 0);
  ASSERT_EQ(iso_create_output(tree.Path("ok.iso").c_str()), 1);
  EXPECT_TRUE(FileExists(tree.Path("ok.iso").c_str()));
  EXPECT_EQ(iso_close_output(), 1);
  EXPECT_EQ(iso_close_output(), 1);
  EXPECT_EQ(Iso.output_image_handle, kInvalidFileHandle);
}
