// Builds that cannot complete: cancel, the 4 GB question, write errors and
// source files that vanish or shrink, files too large for one extent, memory
// that runs out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
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

// This program's global allocation functions, so that a test can make one
// allocation of the standard containers fail, as when memory runs out.
static int g_allocations_before_refusal = -1;  // below 0: none is refused

void* operator new(size_t size) {
  if (g_allocations_before_refusal >= 0 && g_allocations_before_refusal-- == 0) throw std::bad_alloc();
  void* block = malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  return block;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& nothrow) noexcept { return operator new(size, nothrow); }
// The blocks come from malloc above, which the compiler cannot see where
// it inlines a delete.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept { free(block); }
#pragma GCC diagnostic pop
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, size_t) noexcept { operator delete(block); }
void operator delete[](void* block, size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }

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

TEST(IsoFailure, AQuitWhileTheTreeIsReadOrLaidOutStopsTheBuildAndLeavesNoImage) {
  TempTree tree("quit");
  tree.Folder("sub");
  for (int i = 0; i < 5; i++) tree.FileOfSize("sub/f" + std::to_string(i) + ".bin", 10000, (unsigned)i);
  BuildSetup setup;
  setup.optimize = 1;
  Build whole = RunBuild(tree.root(), setup);
  ASSERT_EQ(whole.result, 1);
  ASSERT_GT(whole.preparing_calls, 12);  // at least one per scanned name and one per placed entry
  // The first call comes while the folder is read, the last while the
  // files are placed.
  for (int quit_at : {1, whole.preparing_calls}) {
    setup.quit_at_preparing_call = quit_at;
    Build b = RunBuild(tree.root(), setup);
    EXPECT_EQ(b.result, 0) << quit_at;
    EXPECT_FALSE(b.output_exists) << quit_at;
    EXPECT_EQ(b.updates, 0) << quit_at;
    EXPECT_NE(b.log.find("Canceled by User. \n0 Sectors Writen"), std::string::npos) << b.log;
  }
}

TEST(IsoFailure, NoToTheFatQuestionWritesNothing) {
  TempTree tree("fat");
  // Two sparse files of 2.2 GB lay out an image past 4 GB without data.
  tree.SparseFile("a.bin", 2200000000LL);
  tree.SparseFile("b.bin", 2200000000LL);
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
  tree.SparseFile("huge.bin", 4294967296LL);
  tree.File("small.txt", "small");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  ASSERT_EQ(b.errors.size(), 1u);
  EXPECT_NE(b.errors[0].find("huge.bin"), std::string::npos);
  EXPECT_EQ(iso_left_out_count(), 1);
  EXPECT_EQ(FindRecord(b, "", "HUGE.BIN").length, 0u);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "SMALL.TXT")), "small");
}

struct VanishingFiles {
  std::string path;
  int shrink;  // 0: the file is deleted, 1: it is cut to 5 bytes
};

static void ChangeTheFile(void* data) {
  VanishingFiles* v = (VanishingFiles*)data;
  if (!v->shrink) {
    ForceDeleteFile(v->path.c_str());
    return;
  }
  FILE* f = fopen(v->path.c_str(), "wb");
  fputs("short", f);
  fclose(f);
}

TEST(IsoFailure, ASourceThatVanishesOrShrinksFailsTheBuildAndIsNamed) {
  for (int shrink = 0; shrink < 2; shrink++) {
    TempTree tree("vanish");
    tree.FileOfSize("changed.bin", 40000, 2);
    tree.File("kept.txt", "kept");
    VanishingFiles v = {tree.Path("changed.bin"), shrink};
    BuildSetup setup;
    setup.after_scan = ChangeTheFile;
    setup.after_scan_data = &v;
    Build b = RunBuild(tree.root(), setup);
    EXPECT_EQ(b.result, 0) << shrink;
    EXPECT_FALSE(b.output_exists) << shrink;
    ASSERT_EQ(b.errors.size(), 1u) << shrink;
    EXPECT_NE(b.errors[0].find("'" + v.path + "'"), std::string::npos) << b.errors[0];
    EXPECT_EQ(b.log.find(" Sectors ( "), std::string::npos);
  }
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

static void RefuseAnAllocationAfter(void* count) { g_allocations_before_refusal = *(int*)count; }

// The Joliet names of a folder are made unique in the standard containers;
// when one of them cannot get memory the build stops as for any engine
// block, and no image is written.
TEST(IsoFailure, RunningOutOfMemoryWhileJolietNamesAreMadeUniqueStopsTheBuild) {
  TempTree tree("jmemory");
  // Distinct in ISO 9660 long names, alike in Joliet: the first allocations
  // of the build are the Joliet names'.
  for (int i = 0; i < 6; i++) tree.File(std::string(64, 'q') + std::to_string(i) + ".txt", std::to_string(i));
  for (int count : {0, 1, 5, 20}) {
    BuildSetup setup;
    setup.joliet = 1;
    setup.after_scan = RefuseAnAllocationAfter;
    setup.after_scan_data = &count;
    Build b = RunBuild(tree.root(), setup);
    bool refused = g_allocations_before_refusal < 0;
    g_allocations_before_refusal = -1;
    ASSERT_TRUE(refused) << count;
    EXPECT_EQ(b.result, 0) << count;
    EXPECT_TRUE(b.image.empty()) << count;
    EXPECT_EQ(b.errors, std::vector<std::string>{"Memory overflow!\n"}) << count;
    EXPECT_EQ(b.log.find(" Sectors ( "), std::string::npos) << b.log;
  }
}
