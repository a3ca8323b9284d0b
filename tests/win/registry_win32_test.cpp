// The real registry and the real version calls, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/windows_version.h"
#include "platform/registry.h"

namespace {

const char kTestKey[] = "Software\\Tarnwick Tests\\Registry";

class RealRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kTestKey, &key));
  }
  void TearDown() override {
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarnwick Tests");
  }
  void Put(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, (const BYTE*)data, size));
  }
  HKEY key = nullptr;
};

TEST_F(RealRegistryTest, ValueWithoutNulOfAnyTypeIsEndedAtItsLength) {
  Put("Binary", REG_BINARY, "C:\\Tools", 8);
  Put("Text", REG_SZ, "1031", 5);
  RegistryKey opened = OpenRegistryKey(kRegCurrentUser, kTestKey);
  ASSERT_TRUE(opened);
  char out[16];
  memset(out, 'x', sizeof out);
  EXPECT_EQ(kRegRead, ReadRegistryText(opened, "Binary", out, sizeof out));
  EXPECT_STREQ("C:\\Tools", out);
  EXPECT_EQ(kRegRead, ReadRegistryText(opened, "Text", out, sizeof out));
  EXPECT_STREQ("1031", out);
  EXPECT_EQ(kRegMissing, ReadRegistryText(opened, "None", out, sizeof out));
  CloseRegistryKey(opened);
}

TEST_F(RealRegistryTest, ValueLongerThanTheBufferIsRefused) {
  std::string path(40, 'p');
  Put("Long", REG_SZ, path.c_str(), (DWORD)path.size() + 1);
  Put("Exact", REG_BINARY, "abcd", 4);  // fills the buffer with no room for a NUL
  RegistryKey opened = OpenRegistryKey(kRegCurrentUser, kTestKey);
  ASSERT_TRUE(opened);
  char out[4] = "zz";
  EXPECT_EQ(kRegTooLong, ReadRegistryText(opened, "Long", out, sizeof out));
  EXPECT_STREQ("", out);
  EXPECT_EQ(kRegTooLong, ReadRegistryText(opened, "Exact", out, sizeof out));
  CloseRegistryKey(opened);
}

TEST_F(RealRegistryTest, WrittenTextCountsItsNulAndReadsBack) {
  RegistryKey opened = OpenRegistryKey(kRegCurrentUser, kTestKey);
  ASSERT_TRUE(WriteRegistryText(opened, "Language", "1049"));
  DWORD type = 0, size = 0;
  RegQueryValueExA(key, "Language", nullptr, &type, nullptr, &size);
  EXPECT_EQ((DWORD)REG_SZ, type);
  EXPECT_EQ(5u, size);
  char out[8];
  EXPECT_EQ(kRegRead, ReadRegistryText(opened, "Language", out, sizeof out));
  EXPECT_STREQ("1049", out);
  CloseRegistryKey(opened);
  EXPECT_EQ(nullptr, OpenRegistryKey(kRegCurrentUser, "Software\\Tarnwick Tests\\Missing"));
}

TEST(RealWindowsVersion, TheSystemGivesARealLine) {
  char text[128];
  GetWindowsVersionText(text, sizeof text);
  EXPECT_EQ(0, strncmp(text, "Win", 3)) << text;
  EXPECT_NE(nullptr, strstr(text, " v")) << text;
  unsigned major = 0, minor = 0;
  GetKernel32Version(major, minor);
  EXPECT_GT(major, 0u);  // the kernel library has a version resource
  printf("Windows version text: %s\n", text);
}

}  // namespace
