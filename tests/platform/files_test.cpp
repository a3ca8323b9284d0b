#include "platform/files.h"
#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string TempPath(const char* name) {
  char dir[512], path[600];
  EXPECT_TRUE(GetTempFolder(dir, sizeof dir));
  EXPECT_TRUE(JoinPath(path, sizeof path, dir, name));
  return path;
}

void WriteText(const std::string& path, const char* text) {
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  fputs(text, f);
  fclose(f);
}

}  // namespace

TEST(Files, CopyRenameDeleteKeepContentAndReportMissingFiles) {
  std::string a = TempPath("tw_files_a.txt"), b = TempPath("tw_files_b.txt"), c = TempPath("tw_files_c.txt");
  DeleteFileAt(b.c_str());
  DeleteFileAt(c.c_str());
  WriteText(a, "hello");
  EXPECT_TRUE(FileExists(a.c_str()));
  EXPECT_FALSE(FolderExists(a.c_str()));
  EXPECT_EQ(5, GetFileSize64(a.c_str()));
  ASSERT_TRUE(CopyFileTo(a.c_str(), b.c_str(), true));
  EXPECT_FALSE(CopyFileTo(a.c_str(), b.c_str(), true));  // target exists
  EXPECT_EQ(5, GetFileSize64(b.c_str()));
  ASSERT_TRUE(RenameFileTo(b.c_str(), c.c_str()));
  EXPECT_FALSE(PathExists(b.c_str()));
  WriteText(b, "other text");
  EXPECT_FALSE(RenameFileToNewName(b.c_str(), c.c_str()));  // leaves both
  EXPECT_EQ(5, GetFileSize64(c.c_str()));
  ASSERT_TRUE(RenameFileTo(a.c_str(), c.c_str()));      // replaces the target
  ASSERT_TRUE(RenameFileToNewName(b.c_str(), a.c_str()));
  EXPECT_EQ(10, GetFileSize64(a.c_str()));
  EXPECT_TRUE(DeleteFileAt(a.c_str()));
  EXPECT_EQ(5, GetFileSize64(c.c_str()));
  EXPECT_GT(GetFileModifiedTime(c.c_str()), 1000000000);
  EXPECT_TRUE(DeleteFileAt(c.c_str()));
  EXPECT_FALSE(DeleteFileAt(c.c_str()));
  EXPECT_EQ(-1, GetFileSize64(c.c_str()));
  EXPECT_FALSE(CopyFileTo(c.c_str(), b.c_str(), false));
}

TEST(Files, AnOutputFileIsMadeNewOrEmptiedWhenItExists) {
  std::string path = TempPath("tw_files_out.bin");
  DeleteFileAt(path.c_str());
  for (const char* text : {"first", "2nd"}) {
    FileHandle out = CreateOutputFile(path.c_str());
    ASSERT_NE(kInvalidFileHandle, out);
    EXPECT_TRUE(WriteToHandle(out, text, strlen(text)));
    EXPECT_TRUE(CloseFileHandle(out));
    EXPECT_EQ((int64_t)strlen(text), GetFileSize64(path.c_str()));
  }
  EXPECT_TRUE(DeleteFileAt(path.c_str()));
}

TEST(Files, FoldersAreMadeAndRemovedAndTheNearestExistingOneIsFound) {
  std::string d = TempPath("tw_files_dir");
  RemoveFolder(d.c_str());
  ASSERT_TRUE(CreateFolder(d.c_str()));
  EXPECT_TRUE(CreateFolder(d.c_str()));  // already there counts as made
  EXPECT_TRUE(FolderExists(d.c_str()));
  EXPECT_TRUE(PathExists(d.c_str()));
  EXPECT_FALSE(FileExists(d.c_str()));
  // A deleted folder's nearest existing one above it; none that fits.
  char nearest[600], deeper[600], tiny[8];
  ASSERT_TRUE(JoinPath(deeper, sizeof deeper, d.c_str(), "gone"));
  ASSERT_TRUE(JoinPath(deeper, sizeof deeper, deeper, "deeper"));
  EXPECT_TRUE(NearestExistingFolder(nearest, sizeof nearest, deeper));
  EXPECT_EQ(d, nearest);
  EXPECT_FALSE(NearestExistingFolder(tiny, sizeof tiny, deeper));
  EXPECT_STREQ("", tiny);
  EXPECT_TRUE(RemoveFolder(d.c_str()));
  EXPECT_FALSE(PathExists(d.c_str()));
}

TEST(Files, CurrentFolderDoesNotOverflowASmallBuffer) {
  char tiny[2] = {'x', 'x'};
  EXPECT_FALSE(GetCurrentFolder(tiny, sizeof tiny));
  char big[1024];
  EXPECT_TRUE(GetCurrentFolder(big, sizeof big));
  EXPECT_TRUE(FolderExists(big));
}
