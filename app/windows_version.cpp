#include "app/windows_version.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/registry.h"
#include "platform/system_version.h"

namespace {

const char kNtCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kKernel32Path[] = "C:\\Windows\\System32\\Kernel32.dll";

const WindowsVersionSource kSystemSource = {GetSystemVersionWord, GetNtCurrentVersion,
                                            GetKernel32Version};
const WindowsVersionSource* g_source = nullptr;

const WindowsVersionSource& Source() { return g_source ? *g_source : kSystemSource; }

// The release name for major 5 and below and for 6.0 and 6.1; null for the
// 6.2 family, which needs a second look.
const char* ReleaseName(unsigned major, unsigned minor, unsigned build, bool ntFamily) {
  if (major < 5) {
    if (ntFamily) return "Windows NT";
    if (build != 0) return "Win32s";
    if (minor == 0) return "Windows 95";
    if (minor == 10) return "Windows 98";
    if (minor == 90) return "Windows Me";
    return "Windows";
  }
  if (major == 5) {
    if (minor == 0) return "Windows 2000";
    if (minor == 1) return "Windows XP";
    if (minor == 2) return "Windows 2003";
    return "Windows";
  }
  if (major == 6) {
    if (minor == 0) return "Windows Vista";
    if (minor == 1) return "Windows 7";
    if (minor == 2) return nullptr;
  }
  return "Windows";
}

}  // namespace

const WindowsVersionSource* SetWindowsVersionSource(const WindowsVersionSource* source) {
  const WindowsVersionSource* before = g_source;
  g_source = source;
  return before;
}

int GetNtCurrentVersion(unsigned& major, unsigned& minor, unsigned& build) {
  RegistryKey key = OpenRegistryKeyForRead(kRegLocalMachine, kNtCurrentVersionKey);
  if (!key) return 0;
  char version[256];
  char buildText[256];
  bool read = ReadRegistryText(key, "CurrentVersion", version, sizeof version) == kRegRead &&
              ReadRegistryText(key, "CurrentBuild", buildText, sizeof buildText) == kRegRead;
  CloseRegistryKey(key);
  if (!read) return 0;
  int parsedMajor = 0;
  int parsedMinor = 0;
  int fields = sscanf(version, "%d.%d", &parsedMajor, &parsedMinor);
  if (fields >= 1) major = (unsigned)parsedMajor;
  if (fields >= 2) minor = (unsigned)parsedMinor;
  build = (unsigned)strtoul(buildText, nullptr, 10);
  return 1;
}

void ParseFileVersionText(const char* text, unsigned& major, unsigned& minor) {
  major = (unsigned)strtoul(text, nullptr, 10);
  const char* dot = strchr(text, '.');
  if (dot) minor = (unsigned)strtoul(dot + 1, nullptr, 10);
}

void GetKernel32Version(unsigned& major, unsigned& minor) {
  char text[256];
  if (GetFileVersionText(kKernel32Path, text, sizeof text)) ParseFileVersionText(text, major, minor);
}

void GetWindowsVersionText(char* buffer, size_t size) {
  const WindowsVersionSource& source = Source();
  unsigned v = source.getVersion();
  unsigned major = v & 0xFF;
  unsigned minor = (v >> 8) & 0xFF;
  unsigned build = 0;
  bool ntFamily = (v & 0x80000000u) == 0;
  if (ntFamily) {
    build = v >> 16;
  } else if (major < 4) {
    build = (v >> 16) & 0x7FFF;  // Win32s
  }
  const char* name = ReleaseName(major, minor, build, ntFamily);
  if (!name) {
    // 6.2 is what Windows 8 and every later release report to programs
    // without a manifest; the registry and the kernel library tell more.
    source.getNtCurrentVersion(major, minor, build);
    if (minor == 3) {
      source.getKernel32Version(major, minor);
      name = major == 10 ? "Windows 10" : "Windows 8.1";
    } else {
      name = "Windows 8";
    }
  }
  if (build == 0) {
    snprintf(buffer, size, "%s v%u.%u", name, major, minor);
  } else {
    snprintf(buffer, size, "%s v%u.%u Build %u", name, major, minor, build);
  }
}
