#include "app/editor_launcher.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_ids.h"
#include "platform/disk_queries.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/shell_launch.h"
#include "platform/system_version.h"

namespace {

enum { kPathSize = 260, kCommandLineSize = 1024 };

const char kEditorSettingsKey[] = "SOFTWARE\\Tarnwick Systems\\Plexidor\\5.0";
const char kUacPolicyKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\";
const char kEditorDownloadPage[] = "http://www.tarnwick.com/plexidor/";

// The program file found by the last search.
char g_editorExePath[kPathSize];

// Keeps a candidate when it fits and a file of that name exists.
bool TryCandidate(const char* dir, const char* name) {
  char path[kPathSize];
  if (!JoinPath(path, sizeof path, dir, name) || !FileExists(path)) return false;
  snprintf(g_editorExePath, sizeof g_editorExePath, "%s", path);
  return true;
}

bool TryFixedCandidate(const char* path) {
  if (!FileExists(path)) return false;
  snprintf(g_editorExePath, sizeof g_editorExePath, "%s", path);
  return true;
}

bool TrySettingsKeyCandidate() {
  RegistryKey key = OpenRegistryKey(kRegCurrentUser, kEditorSettingsKey);
  if (!key) return false;
  char folder[256];
  bool read = ReadRegistryText(key, nullptr, folder, sizeof folder) == kRegRead;
  CloseRegistryKey(key);
  return read && TryCandidate(folder, "Plexidor.exe");
}

// Said when the image to hand over is missing (a build that failed, an
// image moved away): Plexidor would be started with nothing to write.
const char kImageMissingText[] =
    "The image '%s' does not exist, so there is nothing to hand to Plexidor. Make the image with Make ISO "
    "first.";

// The arguments after the program: -infile "<isoFileDir>\<isoFileName>"
// and the job's switch. False, after saying so, when the image does not
// exist; false when they do not fit.
bool ComposeEditorArguments(char* out, size_t size, void* owner, const char* isoFileDir,
                            const char* isoFileName, const char* jobSwitch) {
  char imagePath[2 * kPathSize];
  if (!JoinPath(imagePath, sizeof imagePath, isoFileDir, isoFileName)) return false;
  if (!FileExists(imagePath)) {
    char text[3 * kPathSize];
    snprintf(text, sizeof text, kImageMissingText, imagePath);
    ShowMessageBox(owner, text, GetString(kStrCaptionError), kMbOk | kMbIconError);
    return false;
  }
  int length = snprintf(out, size, "-infile \"%s\" %s", imagePath, jobSwitch);
  return length >= 0 && (size_t)length < size;
}

// Starts "<EditorExePath>" and the arguments with WinExec.
void StartEditorCommandLine(const char* arguments) {
  char commandLine[kCommandLineSize];
  int length = snprintf(commandLine, sizeof commandLine, "\"%s\" %s", g_editorExePath, arguments);
  if (length < 0 || (size_t)length >= sizeof commandLine) return;
  StartCommandLine(commandLine);
}

// Message 18069 with the needed version; Yes opens the download page.
void OfferEditorDownload(void* owner, int major, int minor) {
  char text[1024];
  snprintf(text, sizeof text, GetString(kStrEditorNotFound), major, minor);
  int answer = ShowMessageBox(owner, text, GetString(kStrCaptionPrompt),
                              kMbYesNo | kMbIconQuestion | kMbDefButton2);
  if (answer == kIdYes) OpenWebAddress(kEditorDownloadPage);
}

bool FindEditorOfVersion(int major, int minor) {
  return FindImageEditor() && CheckFileVersion(g_editorExePath, major, minor);
}

}  // namespace

const char* EditorExePath() { return g_editorExePath; }

bool FindImageEditor() {
  g_editorExePath[0] = '\0';
  return TrySettingsKeyCandidate() ||
         TryFixedCandidate("C:\\Program Files\\Plexidor\\plexidor.exe") ||
         TryFixedCandidate("C:\\Program Files (x86)\\Plexidor\\plexidor.exe") ||
         TryCandidate(TheProcessSettings.startDir, "plexidor.exe") ||
         TryCandidate(TheProcessSettings.homeDir, "plexidor.exe");
}

bool FileVersionAtLeast(const char* versionText, int major, int minor) {
  long fileMajor = strtol(versionText, nullptr, 10);
  if (fileMajor != major) return fileMajor > major;
  // Version resources separate the parts with dots or with commas.
  const char* separator = strpbrk(versionText, ".,");
  return separator && strtol(separator + 1, nullptr, 10) >= minor;
}

bool CheckFileVersion(const char* path, int major, int minor) {
  if (!path || !path[0] || !FileExists(path)) return false;
  char versionText[256];
  if (!GetFileVersionText(path, versionText, sizeof versionText)) return false;
  return FileVersionAtLeast(versionText, major, minor);
}

bool IsUacEnabled() {
  unsigned major = GetSystemVersionWord() & 0xFF;
  if (major <= 5) return false;
  RegistryKey key = OpenRegistryKeyForRead(kRegLocalMachine, kUacPolicyKey);
  if (!key) return false;
  uint32_t enableLua = 0;
  bool read = ReadRegistryDword(key, "EnableLUA", &enableLua);
  CloseRegistryKey(key);
  return read && enableLua == 1;
}

bool NeedsElevation() {
  const DiskQueries& disks = TheDiskQueries();
  char roots[260];
  unsigned length = disks.logicalDriveStrings(roots, sizeof roots);
  if (length == 0 || length >= sizeof roots) return true;
  roots[length] = '\0';
  const char* end = roots + length;
  bool chosen = false;
  unsigned diskNumber = 0;
  for (const char* root = roots; root < end && *root && !chosen;
       root += strnlen(root, end - root) + 1) {
    unsigned type = disks.driveType(root);
    if (type != kDriveRemovable && type != kDriveFixed) continue;
    char letter = (char)toupper((unsigned char)root[0]);
    if (type == kDriveRemovable && (letter == 'A' || letter == 'B')) continue;
    chosen = disks.volumeDiskNumber(root[0], &diskNumber);
  }
  if (!chosen) return true;
  char devicePath[32];
  snprintf(devicePath, sizeof devicePath, "\\\\.\\PhysicalDrive%u", diskNumber);
  return !disks.canOpenDeviceForReading(devicePath);
}

void BurnImageWithEditor(void* owner, const char* isoFileDir, const char* isoFileName) {
  if (!FindEditorOfVersion(kBurnEditorMajor, kBurnEditorMinor)) {
    OfferEditorDownload(owner, kBurnEditorMajor, kBurnEditorMinor);
    return;
  }
  char arguments[kCommandLineSize];
  if (!ComposeEditorArguments(arguments, sizeof arguments, owner, isoFileDir, isoFileName, "-burnto")) return;
  StartEditorCommandLine(arguments);
}

void WriteImageToUsbWithEditor(void* owner, const char* isoFileDir, const char* isoFileName) {
  if (!FindEditorOfVersion(kUsbEditorMajor, kUsbEditorMinor)) {
    OfferEditorDownload(owner, kUsbEditorMajor, kUsbEditorMinor);
    return;
  }
  char arguments[kCommandLineSize];
  if (!ComposeEditorArguments(arguments, sizeof arguments, owner, isoFileDir, isoFileName, "-writeusb")) return;
  // With user account control on, a program that may not read the disks
  // would fail to write one: start it with administrator rights instead.
  if (IsUacEnabled() && NeedsElevation()) {
    ShellRunAs(owner, g_editorExePath, arguments);
  } else {
    StartEditorCommandLine(arguments);
  }
}
