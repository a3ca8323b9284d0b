#include "platform/shell_launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_opened;

bool RecordOpen(const ShellStartRequest& request) {
  if (request.kind == kShellOpen && !request.verb && request.showCommand == kShowNormal)
    g_opened.push_back(request.file);
  return true;
}

TEST(ShellSeam, OnlyHttpAndHttpsAddressesReachTheShell) {
  ShellStartHandler before = SetShellStartHandler(RecordOpen);
  EXPECT_TRUE(OpenWebAddress("HTTP://www.example.com/"));
  EXPECT_TRUE(OpenWebAddress("https://example.com"));
  for (const char* refused : {"C:\\Windows\\notepad.exe", "notepad.exe", "file:///C:/x.exe",
                              "mailto:a@example.com", "httpx://example.com", " http://a",
                              "http://", "https:/a", ""}) {
    EXPECT_FALSE(OpenWebAddress(refused)) << refused;
  }
  EXPECT_FALSE(OpenWebAddress(nullptr));
  SetShellStartHandler(before);
  EXPECT_EQ(std::vector<std::string>({"HTTP://www.example.com/", "https://example.com"}), g_opened);
}

}  // namespace
