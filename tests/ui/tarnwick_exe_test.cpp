// Starts the real Tarnwick.exe, finds its main window, closes it and checks
// that the program ends with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/system_version.h"

namespace {

// TW_BINARY_DIR is a POSIX path; Wine maps the root on drive Z:.
std::string ProgramPath() {
  const char* dir = getenv("TW_BINARY_DIR");
  std::string path = std::string("Z:") + (dir ? dir : "") + "/Tarnwick.exe";
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

struct ProcessWindows {
  DWORD processId;
  int count;
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM data) {
  ProcessWindows* windows = (ProcessWindows*)data;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  if (pid == windows->processId && name[0] == 'T' && strncmp(name, "Tfrm", 4) == 0) ++windows->count;
  return TRUE;
}

TEST(TarnwickExe, StartsShowsTarnwickAndEndsWithZeroWhenClosed) {
  std::string path = ProgramPath();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + path + "\"";
  ASSERT_TRUE(CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process))
      << path;
  HWND main = nullptr;
  for (int i = 0; i < 300 && !main; ++i) {
    HWND found = FindWindowA("TfrmTb", "Tarnwick");
    DWORD pid = 0;
    if (found) GetWindowThreadProcessId(found, &pid);
    if (found && pid == process.dwProcessId && IsWindowVisible(found)) main = found;
    else Sleep(100);
  }
  ASSERT_TRUE(main) << "no visible main window";
  char version[64];
  ASSERT_TRUE(GetFileVersionText(path.c_str(), version, sizeof version));
  EXPECT_STREQ("3.0.0.1", version);
  ProcessWindows windows = {process.dwProcessId, 0};
  EnumWindows(CountWindow, (LPARAM)&windows);
  EXPECT_EQ(8, windows.count);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  DWORD exitCode = 1234;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(0u, exitCode);
  if (exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
