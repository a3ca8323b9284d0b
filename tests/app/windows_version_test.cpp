#include "app/windows_version.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "platform/registry_memory.h"

namespace {

// One system as the three inputs describe it.
struct FakeSystem {
  unsigned versionWord;
  bool registryRead;
  unsigned regMajor, regMinor, regBuild;
  bool kernelRead;
  unsigned kernelMajor, kernelMinor;
};
FakeSystem g_system;
int g_kernelCalls;

unsigned FakeVersion() { return g_system.versionWord; }
int FakeNtCurrentVersion(unsigned& major, unsigned& minor, unsigned& build) {
  if (!g_system.registryRead) return 0;
  major = g_system.regMajor;
  minor = g_system.regMinor;
  build = g_system.regBuild;
  return 1;
}
void FakeKernel32Version(unsigned& major, unsigned& minor) {
  ++g_kernelCalls;
  if (!g_system.kernelRead) return;
  major = g_system.kernelMajor;
  minor = g_system.kernelMinor;
}
const WindowsVersionSource kFake = {FakeVersion, FakeNtCurrentVersion, FakeKernel32Version};

unsigned Word(unsigned major, unsigned minor, unsigned high) {
  return major | (minor << 8) | (high << 16);
}

std::string TextFor(const FakeSystem& system) {
  g_system = system;
  g_kernelCalls = 0;
  const WindowsVersionSource* before = SetWindowsVersionSource(&kFake);
  char text[128];
  GetWindowsVersionText(text, sizeof text);
  SetWindowsVersionSource(before);
  return text;
}

std::string TextFor(unsigned versionWord) { return TextFor({versionWord, false, 0, 0, 0, false, 0, 0}); }

TEST(WindowsVersionText, NinetyFiveFamilyByMinorVersion) {
  EXPECT_EQ("Windows 95 v4.0", TextFor(Word(4, 0, 0x8000 | 950)));
  EXPECT_EQ("Windows 98 v4.10", TextFor(Word(4, 10, 0x8000 | 1998)));
  EXPECT_EQ("Windows Me v4.90", TextFor(Word(4, 90, 0x8000 | 3000)));
  EXPECT_EQ("Windows v4.20", TextFor(Word(4, 20, 0x8000)));
}

TEST(WindowsVersionText, Win32sHasItsBuildWithoutTheTopBit) {
  EXPECT_EQ("Win32s v3.11 Build 15", TextFor(Word(3, 11, 0x8000 | 15)));
}

TEST(WindowsVersionText, NtFamilyNamesAndBuilds) {
  EXPECT_EQ("Windows NT v4.0 Build 1381", TextFor(Word(4, 0, 1381)));
  EXPECT_EQ("Windows 2000 v5.0 Build 2195", TextFor(Word(5, 0, 2195)));
  EXPECT_EQ("Windows XP v5.1 Build 2600", TextFor(Word(5, 1, 2600)));
  EXPECT_EQ("Windows 2003 v5.2 Build 3790", TextFor(Word(5, 2, 3790)));
  EXPECT_EQ("Windows Vista v6.0 Build 6002", TextFor(Word(6, 0, 6002)));
  EXPECT_EQ("Windows 7 v6.1 Build 7601", TextFor(Word(6, 1, 7601)));
  EXPECT_EQ("Windows v5.3 Build 1", TextFor(Word(5, 3, 1)));
  EXPECT_EQ("Windows v6.4 Build 9", TextFor(Word(6, 4, 9)));
  EXPECT_EQ("Windows v7.0", TextFor(Word(7, 0, 0)));
  EXPECT_EQ("Windows v10.0 Build 19041", TextFor(Word(10, 0, 19041)));
}

TEST(WindowsVersionText, SixTwoAsksRegistryThenKernelLibrary) {
  // Registry 6.3 and kernel library 10.0: Windows 10 with the registry's build.
  EXPECT_EQ("Windows 10 v10.0 Build 19045",
            TextFor({Word(6, 2, 9200), true, 6, 3, 19045, true, 10, 0}));
  EXPECT_EQ(1, g_kernelCalls);
  // Registry 6.3 and kernel library 6.3: Windows 8.1.
  EXPECT_EQ("Windows 8.1 v6.3 Build 9600", TextFor({Word(6, 2, 9200), true, 6, 3, 9600, true, 6, 3}));
  // Registry 6.3, no version resource: stays 6.3 and is 8.1.
  EXPECT_EQ("Windows 8.1 v6.3 Build 9600", TextFor({Word(6, 2, 9200), true, 6, 3, 9600, false, 0, 0}));
  // Registry 6.2: Windows 8; the kernel library is not asked.
  EXPECT_EQ("Windows 8 v6.2 Build 9200", TextFor({Word(6, 2, 9200), true, 6, 2, 9200, true, 10, 0}));
  EXPECT_EQ(0, g_kernelCalls);
  // Registry unreadable: GetVersion's 6.2 and build stand.
  EXPECT_EQ("Windows 8 v6.2 Build 9200", TextFor({Word(6, 2, 9200), false, 6, 3, 1, true, 10, 0}));
}

TEST(WindowsVersionText, LongTextIsCutToTheBuffer) {
  g_system = {Word(5, 1, 2600), false, 0, 0, 0, false, 0, 0};
  const WindowsVersionSource* before = SetWindowsVersionSource(&kFake);
  char text[11];
  GetWindowsVersionText(text, sizeof text);
  SetWindowsVersionSource(before);
  EXPECT_STREQ("Windows XP", text);
}

TEST(NtCurrentVersion, ReadsBothValuesOrChangesNothing) {
  const RegistryBackend* before = SetRegistryBackend(MemoryRegistryBackend());
  ClearMemoryRegistry();
  const char* key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  unsigned major = 6, minor = 2, build = 9200;
  EXPECT_EQ(0, GetNtCurrentVersion(major, minor, build));  // no key
  PutMemoryRegistryText(kRegLocalMachine, key, "CurrentVersion", "6.3");
  EXPECT_EQ(0, GetNtCurrentVersion(major, minor, build));  // no CurrentBuild
  EXPECT_EQ(6u, major);
  EXPECT_EQ(2u, minor);
  EXPECT_EQ(9200u, build);
  PutMemoryRegistryText(kRegLocalMachine, key, "CurrentBuild", "19045");
  EXPECT_EQ(1, GetNtCurrentVersion(major, minor, build));
  EXPECT_EQ(6u, major);
  EXPECT_EQ(3u, minor);
  EXPECT_EQ(19045u, build);
  ClearMemoryRegistry();
  SetRegistryBackend(before);
}

TEST(FileVersionText, LeadingNumberAndNumberAfterFirstDot) {
  unsigned major = 1, minor = 2;
  ParseFileVersionText("10.0.19041.1 (WinBuild.160101.0800)", major, minor);
  EXPECT_EQ(10u, major);
  EXPECT_EQ(0u, minor);
  major = 1, minor = 2;
  ParseFileVersionText("6", major, minor);
  EXPECT_EQ(6u, major);
  EXPECT_EQ(2u, minor);
}

}  // namespace
