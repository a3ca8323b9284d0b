// The replace-text tool on files made here: windows of 32 KB, matches
// across and at their edges, overlapping matches and every refusal.
#include "image/replace_text.h"

#include "tests/file_bytes.h"
#include "tool_test_support.h"

#ifdef TW_WIN32
#include <windows.h>
static void MakeReadOnly(const char* path) { SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY); }
#else
#include <sys/stat.h>
static void MakeReadOnly(const char* path) { chmod(path, 0444); }
#endif

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

class ReplaceText : public tooltest::ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    path_ = File("data.bin");
  }
  // Runs on a file holding `bytes`; returns the file afterwards.
  Bytes Run(const Bytes& bytes, const char* find, const char* replacement, ReplaceTextResult expected,
            int expectedCount) {
    EXPECT_TRUE(WriteBytes(path_, bytes));
    int count = -1;
    EXPECT_EQ(expected, ReplaceTextInFile(path_.c_str(), find, replacement, &count));
    EXPECT_EQ(expectedCount, count);
    return ReadBytes(path_);
  }
  std::string path_;
};

TEST_F(ReplaceText, ShorterReplacementIsPaddedWithNuls) {
  EXPECT_EQ(Text(std::string("1xy") + '\0' + "2"), Run(Text("1abc2"), "abc", "xy", kReplaceDone, 1));
  EXPECT_EQ(Text(std::string(3, '\0')), Run(Text("abc"), "abc", "", kReplaceDone, 1));
  int count = 0;
  ReplaceTextResult result = ReplaceTextInFile(path_.c_str(), "q", "", &count);
  ShowReplaceTextResult(result, path_.c_str(), count);
  EXPECT_EQ("0 String(s) was Replaced Successfully!", BoxTexts().back());
}

TEST_F(ReplaceText, OverlappingMatchesAreTakenFromTheStart) {
  EXPECT_EQ(Text("abab"), Run(Text("aaaa"), "aa", "ab", kReplaceDone, 2));
}

TEST_F(ReplaceText, MatchesAcrossAndAtTheEdgesOfThe32KbWindows) {
  Bytes file(3 * 32768 + 100, '.');
  const size_t places[] = {32766, 65536, 65536 + 32768 - 1, file.size() - 6};
  for (size_t at : places) std::copy_n("NEEDLE", 6, file.begin() + at);
  Bytes expected = file;
  for (size_t at : places) std::copy_n("pin\0\0\0", 6, expected.begin() + at);
  EXPECT_EQ(expected, Run(file, "NEEDLE", "pin", kReplaceDone, 4));
}

TEST_F(ReplaceText, AnOccurrenceAtAWindowEdgeCountsOnceWhenReplacedByItself) {
  Bytes file(40000, '.');
  std::copy_n("same", 4, file.begin() + 32768);
  EXPECT_EQ(file, Run(file, "same", "same", kReplaceDone, 1));
}

TEST_F(ReplaceText, BytesAbove127MatchAsTheyAre) {
  EXPECT_EQ((Bytes{'x', 'Z', 0, 'y'}), Run(Bytes{'x', 0xE9, 0xFC, 'y'}, "\xE9\xFC", "Z", kReplaceDone, 1));
}

TEST_F(ReplaceText, EmptyFileAndFileShorterThanTheText) {
  EXPECT_TRUE(Run(Bytes(), "abc", "x", kReplaceDone, 0).empty());
  EXPECT_EQ(Text("ab"), Run(Text("ab"), "abc", "x", kReplaceDone, 0));
}

TEST_F(ReplaceText, BadTextsAreRefusedAndTheFileIsUnchanged) {
  EXPECT_EQ(Text("abc"), Run(Text("abc"), "", "x", kReplaceFindEmpty, 0));
  std::string tooLong(129, 'a');
  EXPECT_EQ(Text("abc"), Run(Text("abc"), tooLong.c_str(), "", kReplaceFindEmpty, 0));
  EXPECT_EQ(Text("abc"), Run(Text("abc"), "abc", "abcd", kReplaceTooLong, 0));
  std::string longest(128, 'a');
  Bytes file(128, 'a');
  file.resize(200, 'b');
  EXPECT_EQ(file, Run(file, longest.c_str(), longest.c_str(), kReplaceDone, 1));
  ShowReplaceTextResult(kReplaceFindEmpty, path_.c_str(), 0);
  ShowReplaceTextResult(kReplaceTooLong, path_.c_str(), 0);
  EXPECT_EQ((std::vector<std::string>{"Text to Find is NULL!",
                                      "Length of 'Text to Find' and 'Replace with' is not Identical!"}),
            BoxTexts());
}

TEST_F(ReplaceText, MissingAndReadOnlyFilesCannotBeOpened) {
  int count = 0;
  EXPECT_EQ(kReplaceOpenError, ReplaceTextInFile(File("none.bin").c_str(), "a", "b", &count));
  ShowReplaceTextResult(kReplaceOpenError, path_.c_str(), 0);
  EXPECT_EQ("File '" + path_ + "' Open Error!", BoxTexts().back());
  ASSERT_TRUE(WriteBytes(path_, Text("abc")));
  MakeReadOnly(path_.c_str());
  EXPECT_EQ(kReplaceOpenError, ReplaceTextInFile(path_.c_str(), "a", "b", &count));
  EXPECT_EQ(Text("abc"), ReadBytes(path_));
}

TEST_F(ReplaceText, FilesOf2GbOrMoreAreRefused) {
  FILE* f = fopen(path_.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  ASSERT_TRUE(SeekStream64(f, 0x7FFFFFFFLL));  // sparse: one byte at 2 GB
  fputc('a', f);
  fclose(f);
  int count = 0;
  EXPECT_EQ(kReplaceFileTooLarge, ReplaceTextInFile(path_.c_str(), "a", "b", &count));
  ShowReplaceTextResult(kReplaceFileTooLarge, path_.c_str(), 0);
  EXPECT_EQ("File '" + path_ + "' is 2GB or larger and cannot be changed!", BoxTexts().back());
}

}  // namespace
