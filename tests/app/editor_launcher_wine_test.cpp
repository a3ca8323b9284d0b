// Starts the stand-in editors for real under Windows (Wine): CheckFileVersion
// reads their version resources, and each started stand-in logs the
// command line it was given, which the tests read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/editor_launcher.h"
#include "platform/files.h"
#include "platform/shell_launch_win32.h"
#include "tests/app/editor_launcher_fakes.h"
#include "tests/file_bytes.h"

namespace {

const char kPolicyKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Records the kind of each start, then lets the system carry it out.
std::vector<ShellStartKind> g_kinds;
bool RecordAndStart(const ShellStartRequest& request) {
  g_kinds.push_back(request.kind);
  return SystemShellStart(request);
}

// The stand-in built beside this test with a version ("8_6", "9", "9_5", "9_5_0_0").
std::string StandIn(const char* id) {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(sizeof folder, folder);
  return std::string(folder) + "\\plexidor_" + id + ".exe";
}

// A folder with a blank in its name holding one stand-in as "Plexidor.exe",
// named by Plexidor's settings key.
class StandInEditor : public ::testing::Test {
 protected:
  StandInEditor() : seams_(false, false) {}

  void SetUp() override {
    g_kinds.clear();
    SetShellStartHandler(RecordAndStart);
    char temp[MAX_PATH];
    ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
    folder_ = std::string(temp) + "\\tw editor " + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateFolder(folder_.c_str()));
    editor_ = folder_ + "\\Plexidor.exe";
    log_ = folder_ + "\\command-line.txt";
    image_ = folder_ + "\\my disk.iso";
    ASSERT_TRUE(WriteBytes(image_, {}));
    PutEditorFolder(folder_);
    Fakes().versionWord = 0x0A280105;  // 5.1: no user account control
  }
  void TearDown() override {
    DeleteFileAt(log_.c_str());
    DeleteFileAt(editor_.c_str());
    DeleteFileAt(image_.c_str());
    RemoveFolder(folder_.c_str());
  }

  void UseStandIn(const char* id) { ASSERT_TRUE(CopyFileTo(StandIn(id).c_str(), editor_.c_str(), false)); }

  // The logged command line, once the stand-in has written it.
  std::string WaitForLog() {
    for (int i = 0; i < 300 && !FileExists(log_.c_str()); ++i) Sleep(100);
    std::vector<uint8_t> bytes = ReadBytes(log_);
    return std::string(bytes.begin(), bytes.end());
  }

  // The arguments that hand over the image beside the editor.
  std::string Arguments() const { return "-infile \"" + image_ + "\" "; }

  LauncherSeams seams_;
  std::string folder_, editor_, log_, image_;
};

// Sets the system's policy value; returns the one before (0 when none).
DWORD SetRealEnableLua(DWORD value) {
  HKEY key = nullptr;
  DWORD old = 0, size = sizeof old;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPolicyKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegQueryValueExA(key, "EnableLUA", nullptr, nullptr, (BYTE*)&old, &size);
  RegSetValueExA(key, "EnableLUA", 0, REG_DWORD, (const BYTE*)&value, sizeof value);
  RegCloseKey(key);
  return old;
}

TEST(StandInVersions, DotsCommasAndAMissingMinorPart) {
  EXPECT_TRUE(CheckFileVersion(StandIn("8_6").c_str(), 8, 6));
  EXPECT_FALSE(CheckFileVersion(StandIn("8_6").c_str(), 9, 5));
  EXPECT_TRUE(CheckFileVersion(StandIn("9").c_str(), 8, 6));
  EXPECT_FALSE(CheckFileVersion(StandIn("9").c_str(), 9, 5));
  EXPECT_TRUE(CheckFileVersion(StandIn("9_5").c_str(), 9, 5));
  EXPECT_TRUE(CheckFileVersion(StandIn("9_5_0_0").c_str(), 9, 5));
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  EXPECT_FALSE(CheckFileVersion(self, 8, 6));  // no version resource
}

TEST(RunAsInfo, HasTheSizeOfThisBuildsStructure) {
  ShellStartRequest request = {kShellRunAs, (void*)0x10, "runas", "p.exe", "-x", kShowNormal};
  SHELLEXECUTEINFOA info;
  FillRunAsInfo(&info, request);
  EXPECT_EQ(sizeof(void*) == 8 ? 112u : 60u, info.cbSize);
  EXPECT_EQ((HWND)0x10, info.hwnd);
  EXPECT_STREQ("runas", info.lpVerb);
  EXPECT_STREQ("-x", info.lpParameters);
}

TEST_F(StandInEditor, BurnRunsTheCommandLineWithTheBurnSwitch) {
  UseStandIn("8_6");
  BurnImageWithEditor(nullptr, folder_.c_str(), "my disk.iso");
  EXPECT_EQ("\"" + editor_ + "\" " + Arguments() + "-burnto", WaitForLog());
  EXPECT_EQ(std::vector<ShellStartKind>({kStartCommand}), g_kinds);
}

TEST_F(StandInEditor, UsbWithUacOnStartsTheEditorThroughRunAs) {
  UseStandIn("9_5_0_0");
  // The system's own version (Vista or later) and policy value.
  SystemVersionSource systemVersion = {nullptr, nullptr};
  const SystemVersionSource* fake = SetSystemVersionSource(&systemVersion);
  const RegistryBackend* memory = SetRegistryBackend(nullptr);
  DWORD old = SetRealEnableLua(0);
  EXPECT_FALSE(IsUacEnabled());
  SetRealEnableLua(1);
  EXPECT_TRUE(IsUacEnabled());
  SetRealEnableLua(old);
  // The same in the test's registry, which names the editor's folder; no
  // drives, so no disk can be read.
  SetRegistryBackend(memory);
  PutEnableLua(1);
  WriteImageToUsbWithEditor(nullptr, folder_.c_str(), "my disk.iso");
  SetSystemVersionSource(fake);
  std::string log = WaitForLog();
  std::string arguments = Arguments() + "-writeusb";
  ASSERT_GT(log.size(), arguments.size());
  EXPECT_EQ(arguments, log.substr(log.size() - arguments.size())) << log;
  EXPECT_NE(std::string::npos, log.find("Plexidor.exe")) << log;
  EXPECT_EQ(std::vector<ShellStartKind>({kShellRunAs}), g_kinds);
}

TEST_F(StandInEditor, ShellOpenStartsAProgram) {
  UseStandIn("9");
  ASSERT_TRUE(ShellOpen(editor_.c_str()));
  EXPECT_NE(std::string::npos, WaitForLog().find("Plexidor.exe"));
}

}  // namespace
