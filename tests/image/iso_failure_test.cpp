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

// This program's global allocation functions, so that a test can count the
// engine's memory requests and make one of them fail, as when memory runs
// out.
static int g_allocations_before_refusal = -1;  // below 0: none is refused
static bool g_inside_engine = false;
static int g_requests_inside = 0;

void* operator new(size_t size) {
  if (g_inside_engine) g_requests_inside++;
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

// Brackets the engine's calls: inside, requests are counted and the one
// g_refused_request names is refused.
static int g_refused_request = -1;
static void CountInsideEngine(bool inside) {
  g_inside_engine = inside;
  g_allocations_before_refusal = inside ? g_refused_request : -1;
}

// A memory request refused anywhere in the build, from the first name the
// scan lists to the last sector written (the tree's blocks, the folder
// index, the names made unique on both sides, the sharing of duplicates,
// the El Torito record, the copy buffer), ends the build with one message
// and leaves no image; the engine never throws.
TEST(IsoFailure, RunningOutOfMemoryAnywhereInTheBuildStopsItAndLeavesNoImage) {
  TempTree tree("memory");
  tree.Folder("KORVEL");
  tree.Folder("sub");
  std::string loader(2048, '\x90');
  loader[2046] = 0x55;
  loader[2047] = (char)0xAA;
  tree.File("KORVEL/loader.bin", loader);
  // Distinct as long ISO 9660 names, alike when cut to Joliet names.
  for (int i = 0; i < 3; i++) tree.File("sub/" + std::string(64, 'q') + std::to_string(i) + ".txt", "q");
  // Equal first 64 KB: a and c are equal, b differs at its end.
  std::string a(70000, 'a'), b = a;
  b.back() = 'b';
  tree.File("a.bin", a);
  tree.File("b.bin", b);
  tree.File("c.bin", a);
  BuildSetup setup;
  setup.joliet = 1;
  setup.optimize = 1;
  setup.boot = tree.Path("KORVEL/loader.bin");
  setup.inside_engine = CountInsideEngine;
  g_requests_inside = 0;
  Build whole = RunBuild(tree.root(), setup);
  ASSERT_EQ(whole.result, 1);
  const int requests = g_requests_inside;
  ASSERT_GT(requests, 50);
  for (int refused = 0; refused < requests; refused++) {
    g_refused_request = refused;
    Build b = RunBuild(tree.root(), setup);
    EXPECT_EQ(b.result, 0) << refused;
    EXPECT_TRUE(b.image.empty()) << refused;
    const std::vector<std::string> one = b.errors.size() == 1 ? b.errors : std::vector<std::string>();
    EXPECT_TRUE(one == std::vector<std::string>{"Memory overflow!\n"} ||
                one == std::vector<std::string>{"Memory allocation error!"})
        << refused << ": " << ::testing::PrintToString(b.errors);
  }
  g_refused_request = -1;
}
