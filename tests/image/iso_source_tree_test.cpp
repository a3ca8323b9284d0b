// Source folders as users have them: links that lead back into the tree,
// names the image cannot hold, folders that cannot be read, and the count
// of what was left out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "platform/files.h"
#include "tests/image/iso_test_support.h"

#ifdef TW_WIN32
#include <windows.h>

#include "platform/dir_list_win32.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace isotest;

// A link named link_path to the folder target (relative to the link's
// folder); false when the system cannot make one.
static bool MakeFolderLink(const std::string& link_path, const std::string& target) {
#ifdef TW_WIN32
  // CreateSymbolicLinkA exists from Windows Vista on; the build targets XP.
  // Wine 8 reports success and makes nothing, hence the look afterwards.
  typedef BOOLEAN(WINAPI * CreateLink)(LPCSTR, LPCSTR, DWORD);
  CreateLink create = (CreateLink)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
  return create && create(link_path.c_str(), target.c_str(), 1 /* SYMBOLIC_LINK_FLAG_DIRECTORY */) != 0 &&
         FolderExists(link_path.c_str());
#else
  return symlink(target.c_str(), link_path.c_str()) == 0;
#endif
}

// A link named link_path to the file target; false when the system cannot
// make one.
static bool MakeFileLink(const std::string& link_path, const std::string& target) {
#ifdef TW_WIN32
  typedef BOOLEAN(WINAPI * CreateLink)(LPCSTR, LPCSTR, DWORD);
  CreateLink create = (CreateLink)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
  return create && create(link_path.c_str(), target.c_str(), 0) != 0 && FileExists(link_path.c_str());
#else
  return symlink(target.c_str(), link_path.c_str()) == 0;
#endif
}

static void MakeFileReadOnly(const std::string& path) {
#ifdef TW_WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  chmod(path.c_str(), 0444);
#endif
}

static void SetTemp(const std::string& folder) {
#ifdef TW_WIN32
  _putenv_s("TEMP", folder.c_str());
#else
  setenv("TEMP", folder.c_str(), 1);
#endif
}

static void RemoveFolderLink(const std::string& link_path) {
#ifdef TW_WIN32
  RemoveDirectoryA(link_path.c_str());
#else
  unlink(link_path.c_str());
#endif
}

TEST(IsoSourceTree, AFolderLoopIsEnteredOnceAndTheLinkIsLeftOut) {
  TempTree tree("loop");
  tree.Folder("sub");
  tree.File("sub/f.txt", "hi");
  std::string link = tree.Path("sub/loop");
  if (!MakeFolderLink(link, "..")) GTEST_SKIP() << "this system makes no folder links";
  Build b = RunBuild(tree.root(), BuildSetup());
  int left_out = iso_left_out_count();
  std::string kept = left_out ? iso_left_out_path(0) : "";
  RemoveFolderLink(link);  // before the tree is removed, which would follow it
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(Names(ListDirectory(b, "")), std::vector<std::string>{"SUB"});
  EXPECT_EQ(Names(ListDirectory(b, "SUB")), std::vector<std::string>{"F.TXT"});
  EXPECT_EQ(left_out, 1);
  EXPECT_EQ(kept, link);
  EXPECT_NE(b.log.find("Left out: " + link + " (a folder loop"), std::string::npos) << b.log;
}

TEST(IsoSourceTree, LeftOutEntriesAreCountedWithTheFirstFivePathsUntilTheNextImage) {
  TempTree tree("leftout");
  std::set<std::string> huge;
  for (int i = 0; i < 7; i++) {
    std::string name = "huge" + std::to_string(i) + ".bin";
    tree.SparseFile(name, 4294967296LL);
    huge.insert(tree.Path(name));
  }
  tree.File("small.txt", "small");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(b.errors.size(), 7u);
  EXPECT_EQ(Names(ListDirectory(b, "")), std::vector<std::string>{"SMALL.TXT"});
  ASSERT_EQ(iso_left_out_count(), 7);
  for (int i = 0; i < kIsoLeftOutPathsKept; i++) {
    ASSERT_NE(iso_left_out_path(i), nullptr) << i;
    EXPECT_EQ(huge.count(iso_left_out_path(i)), 1u) << iso_left_out_path(i);
  }
  EXPECT_EQ(iso_left_out_path(kIsoLeftOutPathsKept), nullptr);
  EXPECT_NE(b.log.find("7 entries were left out of the image"), std::string::npos) << b.log;
  EXPECT_EQ(iso_left_out_path(-1), nullptr);
  iso_new_image();
  EXPECT_EQ(iso_left_out_count(), 0);
  EXPECT_EQ(iso_left_out_path(0), nullptr);
}

TEST(IsoSourceTree, AFolderThatCannotBeListedIsRefusedAndNoImageIsMade) {
  TempTree tree("unlistable");
  tree.File("plain.txt", "not a folder");
  Build b = RunBuild(tree.Path("plain.txt"), BuildSetup());
  EXPECT_EQ(b.add_result, 0);
  EXPECT_EQ(b.result, 0);
  EXPECT_TRUE(b.image.empty());
  ASSERT_EQ(b.errors.size(), 1u);
  EXPECT_NE(b.errors[0].find("'" + tree.Path("plain.txt") + "' cannot be read"), std::string::npos) << b.errors[0];
}

// The engine's work folder is emptied at every run; a link or junction in
// it is removed itself, and what it leads to is left as it was.
TEST(IsoSourceTree, ClearingTheWorkFolderRemovesLinksWithoutFollowingThem) {
  TempTree tree("worklinks");
  tree.Folder("target");
  tree.File("target/keep.txt", "keep");
  tree.File("kept file.txt", "kept");
  MakeFileReadOnly(tree.Path("kept file.txt"));
  tree.Folder("temp");
  tree.Folder("temp/Plexi$dor");
  std::string folder_link = tree.Path("temp/Plexi$dor/folder link");
  std::string file_link = tree.Path("temp/Plexi$dor/file link");
  if (!MakeFolderLink(folder_link, tree.Path("target"))) GTEST_SKIP() << "this system makes no folder links";
  bool file_linked = MakeFileLink(file_link, tree.Path("kept file.txt"));
  SetTemp(tree.Path("temp"));
  iso_engine_init();
  iso_engine_done();
  bool link_left = PathExists(folder_link.c_str());
  if (link_left) RemoveFolderLink(folder_link);  // before the tree is removed, which would follow it
  EXPECT_EQ(ReadWholeFile(tree.Path("target/keep.txt")), "keep");
  EXPECT_FALSE(link_left);
  if (file_linked) {
    EXPECT_FALSE(PathExists(file_link.c_str()));
    EXPECT_TRUE(FileIsReadOnly(tree.Path("kept file.txt").c_str()));
  }
  EXPECT_TRUE(FileExists(tree.Path("temp/Plexi$dor/plexidor.log").c_str()));
  MakeFileWritable(tree.Path("kept file.txt").c_str());
}

#ifdef TW_WIN32
// Windows' ANSI calls stop at 259 characters; the test makes and removes
// what lies beyond through the wide calls with the "\\?\" prefix.
static std::wstring LongPath(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

TEST(IsoSourceTree, AFolderOf256To259CharactersIsStoredWithTheEntriesThatFit) {
  TempTree tree("longfolder");
  std::string middle(100, 'm');
  tree.Folder(middle);
  size_t base = tree.Path(middle).size() + 1;
  std::string fits_folder = middle + "/" + std::string(256 - base, 'a');  // 256 characters
  std::string full_folder = middle + "/" + std::string(259 - base, 'b');  // 259 characters
  ASSERT_TRUE(CreateDirectoryW(LongPath(tree.Path(fits_folder)).c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(LongPath(tree.Path(full_folder)).c_str(), nullptr));
  tree.File(fits_folder + "/ok", "fits");  // 259 characters
  std::wstring too_long = LongPath(tree.Path(fits_folder + "/far"));  // 260 characters
  std::wstring unreachable = LongPath(tree.Path(full_folder + "/x"));
  for (const std::wstring& path : {too_long, unreachable}) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  Build b = RunBuild(tree.root(), BuildSetup());
  int left_out = iso_left_out_count();
  DeleteFileW(too_long.c_str());
  DeleteFileW(unreachable.c_str());
  ASSERT_EQ(b.result, 1) << b.log;
  std::string iso_middle(100, 'M');
  EXPECT_EQ(Names(ListDirectory(b, iso_middle)),
            (std::vector<std::string>{std::string(256 - base, 'A'), std::string(259 - base, 'B')}));
  EXPECT_EQ(Names(ListDirectory(b, iso_middle + "/" + std::string(256 - base, 'A'))),
            std::vector<std::string>{"OK"});
  EXPECT_EQ(FileContents(b, FindRecord(b, iso_middle + "/" + std::string(256 - base, 'A'), "OK")), "fits");
  EXPECT_TRUE(Names(ListDirectory(b, iso_middle + "/" + std::string(259 - base, 'B'))).empty());
  EXPECT_EQ(left_out, 2) << b.log;  // far and x; "." and ".." are made anew, not left out
  EXPECT_EQ(b.errors.size(), 0u);
}

static HANDLE CreateByWholeName(const std::wstring& path, bool folder) {
  if (folder) return CreateDirectoryW(path.c_str(), nullptr) ? nullptr : INVALID_HANDLE_VALUE;
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
}

// NTFS and shared folders hold names that end in a dot or a blank (made
// through "\\?\" paths or from Linux); a plain path to one drops them and
// opens another name. Wine keeps such names through "\\?\" paths as well.
TEST(IsoSourceTree, ANameEndingInADotOrABlankIsLeftOutAndNeverReadsAnotherFile) {
  TempTree tree("trailing");
  tree.File("report", "the other file");
  std::wstring dotted = LongPath(tree.Path("report.")), blank = LongPath(tree.Path("notes ")),
               folder = LongPath(tree.Path("folder.")), inner = LongPath(tree.Path("folder./in.txt"));
  for (const std::wstring& path : {dotted, blank, folder, inner}) {
    HANDLE h = CreateByWholeName(path, path == folder);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    if (h) {
      DWORD written;
      WriteFile(h, "dotted!", 7, &written, nullptr);
      CloseHandle(h);
    }
  }
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  int left_out = iso_left_out_count();
  DeleteFileW(inner.c_str());
  RemoveDirectoryW(folder.c_str());
  DeleteFileW(dotted.c_str());
  DeleteFileW(blank.c_str());
  ASSERT_EQ(b.result, 1) << b.log;
  EXPECT_EQ(Names(ListDirectory(b, "")), std::vector<std::string>{"REPORT"});
  EXPECT_EQ(Names(ListDirectory(b, "", true)), std::vector<std::string>{"report"});
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "REPORT")), "the other file");
  EXPECT_EQ(left_out, 3);
  EXPECT_TRUE(b.errors.empty());
  EXPECT_NE(b.log.find("Left out: " + tree.Path("report.") + " (the name ends in a dot or a blank"),
            std::string::npos)
      << b.log;
}

static LONG WINAPI RefuseTheInformationClass(HANDLE, HANDLE, void*, void*, IoStatus*, void*, ULONG, int, BOOLEAN,
                                            void*, BOOLEAN) {
  return (LONG)0xC0000003;  // STATUS_INVALID_INFO_CLASS
}

// The image with its volume dates (the moment each descriptor was written)
// cleared.
static std::vector<uint8_t> WithoutVolumeDates(std::vector<uint8_t> image) {
  for (size_t sector = 16; (sector + 1) * 2048 <= image.size() && image[sector * 2048] != 255; sector++)
    memset(image.data() + sector * 2048 + 813, 0, 4 * 17);
  return image;
}

// A file system or redirector that lacks NtQueryDirectoryFile's information
// class refuses the fast listing; its folders are read the plain way.
TEST(IsoSourceTree, FoldersThatRefuseTheFastListingAreListedThePlainWay) {
  TempTree tree("refused");
  tree.File("a.txt", "a");
  tree.Folder("Sub Folder");
  tree.File("Sub Folder/b.txt", "bb");
  tree.File("hidden.txt", "hidden");
  SetFileAttributesA(tree.Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  BuildSetup setup;
  setup.joliet = 1;
  setup.set_date_time = 1;
  setup.fixed_time = 1700000000;
  Build fast = RunBuild(tree.root(), setup);
  SetDirectoryQuery(RefuseTheInformationClass);
  Build plain = RunBuild(tree.root(), setup);
  SetDirectoryQuery(nullptr);
  ASSERT_EQ(fast.result, 1);
  ASSERT_EQ(plain.add_result, 1) << plain.log;
  ASSERT_EQ(plain.result, 1) << plain.log;
  EXPECT_TRUE(plain.errors.empty());
  EXPECT_EQ(Names(ListDirectory(plain, "SUB FOLDER")), std::vector<std::string>{"B.TXT"});
  EXPECT_TRUE(WithoutVolumeDates(plain.image) == WithoutVolumeDates(fast.image));
}

// A listing in a double-byte code page: the records of the listing's first
// query, with one more whose name of 200 characters has 400 bytes there.
static QueryDirectoryFile g_system_query = nullptr;
static bool g_record_added = false;
static const wchar_t kLongCharacter = 0x3042;  // HIRAGANA LETTER A, two bytes in code page 932

static LONG WINAPI AddALongName(HANDLE folder, HANDLE event, void* routine, void* context, IoStatus* io,
                                void* buffer, ULONG size, int kind, BOOLEAN single, void* name, BOOLEAN restart) {
  LONG status = g_system_query(folder, event, routine, context, io, buffer, size, kind, single, name, restart);
  if (status < 0 || g_record_added) return status;
  // FILE_FULL_DIR_INFORMATION: the new record follows the last one, 8-byte
  // aligned.
  uint8_t* records = (uint8_t*)buffer;
  ULONG last = 0;
  while (uint32_t next = Le32(records + last)) last += next;
  ULONG at = (ULONG)((io->information + 7) & ~7u), units = 200;
  if (at + 68 + units * 2 > size) return status;
  uint32_t offset = at - last;
  memcpy(records + last, &offset, 4);
  memset(records + at, 0, 68);
  uint32_t attributes = FILE_ATTRIBUTE_ARCHIVE, name_bytes = units * 2;
  memcpy(records + at + 56, &attributes, 4);
  memcpy(records + at + 60, &name_bytes, 4);
  for (ULONG i = 0; i < units; i++) memcpy(records + at + 68 + 2 * i, &kLongCharacter, 2);
  io->information = at + 68 + name_bytes;
  g_record_added = true;
  return status;
}

static int g_queries = 0;

static LONG WINAPI BreakOffAfterTheFirstQuery(HANDLE folder, HANDLE event, void* routine, void* context, IoStatus* io,
                                              void* buffer, ULONG size, int kind, BOOLEAN single, void* name,
                                              BOOLEAN restart) {
  if (++g_queries > 1) return (LONG)0xC00000C4;  // STATUS_UNEXPECTED_NETWORK_ERROR
  return g_system_query(folder, event, routine, context, io, buffer, size, kind, single, name, restart);
}

// A network folder that goes away while it is listed: what was read is
// stored, the rest is reported and counted.
TEST(IsoSourceTree, AListingThatBreaksOffIsReportedAndItsRestCounted) {
  TempTree tree("brokenoff");
  for (int i = 0; i < 800; i++) tree.File(std::string(60, 'n') + std::to_string(i), "");  // three queries' worth
  g_system_query = (QueryDirectoryFile)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryDirectoryFile");
  g_queries = 0;
  SetDirectoryQuery(BreakOffAfterTheFirstQuery);
  Build b = RunBuild(tree.root(), BuildSetup());
  SetDirectoryQuery(nullptr);
  ASSERT_EQ(b.result, 1) << b.log;
  size_t stored = Names(ListDirectory(b, "")).size();
  EXPECT_GT(stored, 0u);
  EXPECT_LT(stored, 800u);
  EXPECT_EQ(iso_left_out_count(), 1);
  ASSERT_EQ(b.errors.size(), 1u);
  EXPECT_NE(b.errors[0].find("'" + tree.root() + "' could not be read to its end"), std::string::npos) << b.errors[0];
}

TEST(IsoSourceTree, ANameOf260AnsiBytesOrMoreIsLeftOutAndCounted) {
  if (!IsDBCSLeadByte(0x82)) GTEST_SKIP() << "needs a double-byte ANSI code page (932), not " << GetACP();
  TempTree tree("longname");
  tree.File("plain.txt", "plain");
  g_system_query = (QueryDirectoryFile)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryDirectoryFile");
  g_record_added = false;
  SetDirectoryQuery(AddALongName);
  Build b = RunBuild(tree.root(), BuildSetup());
  SetDirectoryQuery(nullptr);
  ASSERT_TRUE(g_record_added);
  ASSERT_EQ(b.result, 1) << b.log;
  EXPECT_EQ(Names(ListDirectory(b, "")), std::vector<std::string>{"PLAIN.TXT"});
  EXPECT_EQ(iso_left_out_count(), 1) << b.log;
  EXPECT_NE(b.log.find("Left out: " + tree.root() + "\\\x82\xa0\x82\xa0"), std::string::npos) << b.log;
  EXPECT_NE(b.log.find("... (the path is 260 characters or longer)"), std::string::npos) << b.log;
}
#endif

#ifndef TW_WIN32
// Natively the file system may hold names that Windows would not: two names
// differing only in case, and paths longer than 259 characters.
TEST(IsoSourceTree, OfNamesDifferingOnlyInCaseTheFirstListedStaysAndTheOtherIsLogged) {
  TempTree tree("case");
  tree.File("README.TXT", "upper");
  tree.File("Readme.txt", "mixed");
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(FileContents(b, FindRecord(b, "", "README.TXT")), "upper");
  EXPECT_EQ(Names(ListDirectory(b, "")).size(), 1u);
  EXPECT_EQ(iso_left_out_count(), 1);
  EXPECT_NE(b.log.find("Left out: " + tree.Path("Readme.txt") + " (a name differing only in case"),
            std::string::npos)
      << b.log;
}

TEST(IsoSourceTree, APathOf260CharactersOrMoreIsLeftOutAndCounted) {
  TempTree tree("longpath");
  std::string folder(200, 'd');
  tree.Folder(folder);
  std::string name = std::string(260 - tree.Path(folder).size() - 1, 'n');  // exactly 260 with the separator
  tree.File(folder + "/" + name, "far");
  tree.File(folder + "/near.txt", "near");
  // A folder of 258 characters: its one file is lost, its "." and ".."
  // (which would be 260 and 261) are not entries of their own.
  std::string edge = std::string(258 - tree.root().size() - 1, 'e');
  tree.Folder(edge);
  tree.File(edge + "/x", "x");
  bool edge_made = FileExists(tree.Path(edge + "/x").c_str());
  Build b = RunBuild(tree.root(), BuildSetup());
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(Names(ListDirectory(b, std::string(200, 'D'))), std::vector<std::string>{"NEAR.TXT"});
  ASSERT_EQ(iso_left_out_count(), edge_made ? 2 : 1) << b.log;
  EXPECT_EQ(iso_left_out_path(0), tree.Path(folder + "/" + name));
  EXPECT_NE(b.log.find("(the path is 260 characters or longer)"), std::string::npos) << b.log;
  if (edge_made) {
    EXPECT_EQ(iso_left_out_path(1), tree.Path(edge + "/x"));
  }
}

// Natively a name may hold a control character, which Windows never shows:
// the byte 0x01 alone would be taken for "..".
TEST(IsoSourceTree, NamesHoldingAControlCharacterAreLeftOutAndCounted) {
  TempTree tree("control");
  tree.File("\x01", "one");
  tree.File("tab\there.txt", "tab");
  tree.File("plain.txt", "plain");
  BuildSetup setup;
  setup.joliet = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(Names(ListDirectory(b, "")), std::vector<std::string>{"PLAIN.TXT"});
  EXPECT_EQ(Names(ListDirectory(b, "", true)), std::vector<std::string>{"plain.txt"});
  std::vector<Record> root = ListDirectory(b, "");
  ASSERT_EQ(root.size(), 3u);
  EXPECT_EQ(root[1].name, "\x01");
  EXPECT_EQ(root[1].extent, root[0].extent);  // ".." of the root is the root
  EXPECT_EQ(iso_left_out_count(), 2);
  EXPECT_NE(b.log.find("Left out: " + tree.Path("\x01") + " (the name holds a control character)"), std::string::npos)
      << b.log;
}
#endif
