#include "app/editor_launcher.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/files.h"
#include "tests/app/editor_launcher_fakes.h"

namespace {

const char kSep = kPathSeparator;
void* const kOwner = (void*)0x1234;

// Start, program and Plexidor folders inside a temporary folder.
class EditorLauncher : public ::testing::Test {
 protected:
  EditorLauncher() : seams_(true, true) {}

  void SetUp() override {
    char temp[1024], name[64], dir[1100];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    snprintf(name, sizeof name, "tw_launcher_%ld_%p", (long)time(nullptr), (void*)this);
    ASSERT_TRUE(JoinPath(dir, sizeof dir, temp, name));
    root_ = dir;
    for (const char* sub : {"", "editor", "start", "home", "My Discs"}) ASSERT_TRUE(CreateFolder(Path(sub).c_str()));
    snprintf(TheProcessSettings.startDir, sizeof TheProcessSettings.startDir, "%s", Path("start").c_str());
    snprintf(TheProcessSettings.homeDir, sizeof TheProcessSettings.homeDir, "%s", Path("home").c_str());
  }
  void TearDown() override {
    for (const std::string& file : files_) DeleteFileAt(file.c_str());
    for (const char* sub : {"editor", "start", "home", "My Discs", ""}) RemoveFolder(Path(sub).c_str());
  }

  std::string Path(const std::string& sub) { return sub.empty() ? root_ : root_ + kSep + sub; }

  // A program file with the given version text in one of the folders.
  std::string PutEditor(const std::string& folder, const std::string& name, const std::string& version) {
    std::string path = PutFile(folder, name);
    Fakes().fileVersions[path] = version;
    return path;
  }

  // An empty file in one of the folders, removed afterwards.
  std::string PutFile(const std::string& folder, const std::string& name) {
    std::string path = Path(folder) + kSep + name;
    FILE* f = fopen(path.c_str(), "wb");
    EXPECT_TRUE(f && fclose(f) == 0);
    files_.push_back(path);
    return path;
  }

  std::string Arguments(const char* jobSwitch) { return "-infile \"" + Path("My Discs") + kSep + "my disk.iso\" " + jobSwitch; }

  LauncherSeams seams_;
  std::string root_;
  std::vector<std::string> files_;
};

TEST(FileVersion, LeadingNumberThenNumberAfterDotOrComma) {
  EXPECT_TRUE(FileVersionAtLeast("8.6", 8, 6));
  EXPECT_FALSE(FileVersionAtLeast("8.5.9", 8, 6));
  EXPECT_FALSE(FileVersionAtLeast("8.6", 9, 5));
  EXPECT_TRUE(FileVersionAtLeast("9", 8, 6));
  EXPECT_FALSE(FileVersionAtLeast("9", 9, 5));
  EXPECT_TRUE(FileVersionAtLeast("9.10", 9, 5));
  EXPECT_TRUE(FileVersionAtLeast("9, 5, 0, 0", 9, 5));
  EXPECT_FALSE(FileVersionAtLeast("9, 4, 9, 9", 9, 5));
  EXPECT_TRUE(FileVersionAtLeast("10, 0", 9, 5));
  EXPECT_FALSE(FileVersionAtLeast("beta", 8, 6));
}

TEST_F(EditorLauncher, SearchTakesSettingsKeyThenStartThenHomeFolder) {
  EXPECT_FALSE(FindImageEditor());
  std::string home = PutEditor("home", "plexidor.exe", "9.5");
  ASSERT_TRUE(FindImageEditor());
  EXPECT_EQ(home, EditorExePath());
  std::string start = PutEditor("start", "plexidor.exe", "9.5");
  PutEditorFolder(Path("editor"));  // counts only when it holds the program
  ASSERT_TRUE(FindImageEditor());
  EXPECT_EQ(start, EditorExePath());
  std::string keyed = PutEditor("editor", "Plexidor.exe", "9.5");
  ASSERT_TRUE(FindImageEditor());
  EXPECT_EQ(keyed, EditorExePath());
}

TEST_F(EditorLauncher, MissingOrOldEditorOffersTheDownloadOfTheNeededVersion) {
  BurnImageWithEditor(kOwner, "C:\\iso", "mydisk.iso");
  PutEditor("home", "plexidor.exe", "8.6");
  WriteImageToUsbWithEditor(kOwner, "C:\\iso", "mydisk.iso");
  EXPECT_TRUE(Fakes().starts.empty());  // answered No
  ASSERT_EQ(2u, Fakes().boxes.size());
  const char* offer = "or later not found!\n\nDo you want to download latest version Plexidor for free?";
  EXPECT_EQ(std::string("Plexidor v8.6 ") + offer, Fakes().boxes[0].text);
  EXPECT_EQ(std::string("Plexidor v9.5 ") + offer, Fakes().boxes[1].text);
  EXPECT_EQ("Prompt", Fakes().boxes[1].caption);
  EXPECT_EQ(kOwner, Fakes().boxes[1].owner);
  EXPECT_EQ(unsigned(kMbYesNo | kMbIconQuestion | kMbDefButton2), Fakes().boxes[1].style);

  Fakes().boxAnswer = kIdYes;
  WriteImageToUsbWithEditor(kOwner, "C:\\iso", "mydisk.iso");
  ASSERT_EQ(1u, Fakes().starts.size());
  EXPECT_EQ(kShellOpen, Fakes().starts[0].kind);
  EXPECT_TRUE(IsWebAddress(Fakes().starts[0].file.c_str()));
}

TEST_F(EditorLauncher, BurnAndUsbStartTheEditorElevatingOnlyWithUacAndUnreadableDisks) {
  std::string editor = PutEditor("editor", "Plexidor.exe", "9, 5, 0, 0");
  PutEditorFolder(Path("editor"));
  PutFile("My Discs", "my disk.iso");  // a folder with a blank in its name
  const std::string discs = Path("My Discs");
  BurnImageWithEditor(kOwner, discs.c_str(), "my disk.iso");
  // No user account control: WinExec, whatever the disks say.
  WriteImageToUsbWithEditor(kOwner, discs.c_str(), "my disk.iso");
  // On, and the first disk is readable: WinExec.
  PutEnableLua(1);
  Fakes().driveRoots = std::string("C:\\", 4);
  Fakes().driveTypes["C:\\"] = kDriveFixed;
  Fakes().volumeDisks['C'] = 0;
  Fakes().readableDevices.insert("\\\\.\\PhysicalDrive0");
  WriteImageToUsbWithEditor(kOwner, discs.c_str(), "my disk.iso");
  // On, and the disk does not open: "runas" without the editor's own path
  // in the parameters.
  Fakes().readableDevices.clear();
  WriteImageToUsbWithEditor(kOwner, discs.c_str(), "my disk.iso");

  const std::vector<RecordedStart>& starts = Fakes().starts;
  ASSERT_EQ(4u, starts.size());
  EXPECT_EQ("\"" + editor + "\" " + Arguments("-burnto"), starts[0].file);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i < 2 ? kStartCommand : kShellRunAs, starts[i + 1].kind);
    EXPECT_EQ(i < 2 ? kShow : kShowNormal, starts[i + 1].showCommand);
  }
  EXPECT_EQ("\"" + editor + "\" " + Arguments("-writeusb"), starts[2].file);
  EXPECT_EQ("runas", starts[3].verb);
  EXPECT_EQ(kOwner, starts[3].owner);
  EXPECT_EQ(editor, starts[3].file);
  EXPECT_EQ(Arguments("-writeusb"), starts[3].parameters);
}

TEST_F(EditorLauncher, UacNeedsVistaOrLaterAndEnableLuaOne) {
  EXPECT_FALSE(IsUacEnabled());  // no policy value
  PutEnableLua(2);
  EXPECT_FALSE(IsUacEnabled());
  PutEnableLua(1);
  EXPECT_TRUE(IsUacEnabled());
  Fakes().versionWord = 0x0A280205;  // 5.2
  EXPECT_FALSE(IsUacEnabled());
}

TEST_F(EditorLauncher, ElevationLooksAtTheFirstDiskBehindAFixedOrRemovableDrive) {
  EXPECT_TRUE(NeedsElevation());  // no drives at all
  // Drives a and B (removable) and C (a CD drive) are passed over; D's disk
  // cannot be told; E's, disk 2, is the one tried.
  Fakes().driveRoots = std::string("a:\\\0B:\\\0C:\\\0D:\\\0E:\\\0F:\\\0", 24);
  Fakes().driveTypes = {{"a:\\", kDriveRemovable}, {"B:\\", kDriveRemovable}, {"C:\\", 5},
                        {"D:\\", kDriveFixed}, {"E:\\", kDriveRemovable}, {"F:\\", kDriveFixed}};
  Fakes().volumeDisks = {{'a', 7}, {'B', 7}, {'C', 7}, {'E', 2}, {'F', 3}};
  Fakes().readableDevices = {"\\\\.\\PhysicalDrive7", "\\\\.\\PhysicalDrive3"};
  EXPECT_TRUE(NeedsElevation());
  Fakes().readableDevices.insert("\\\\.\\PhysicalDrive2");
  EXPECT_FALSE(NeedsElevation());
}

}  // namespace
