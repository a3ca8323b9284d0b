#pragma once
// Stand-ins for the seams the editor launcher goes through: recorders of
// program starts and message boxes, the version word and version texts,
// the disk queries and the in-memory registry. LauncherSeams installs them
// and puts the system's back when it goes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/process_settings.h"
#include "platform/disk_queries.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/registry_memory.h"
#include "platform/shell_launch.h"
#include "platform/system_version.h"

struct RecordedStart {
  ShellStartKind kind;
  void* owner;
  std::string verb, file, parameters;  // "" for none
  int showCommand;
};

struct RecordedBox {
  void* owner;
  std::string text, caption;
  unsigned style;
};

struct LauncherFakes {
  std::vector<RecordedStart> starts;
  std::vector<RecordedBox> boxes;
  int boxAnswer = kIdNo;
  unsigned versionWord = 0x0A28000A;                // 10.0
  std::map<std::string, std::string> fileVersions;  // path -> "FileVersion" text
  std::string driveRoots;                           // "C:\\\0D:\\\0" and so on
  std::map<std::string, unsigned> driveTypes;
  std::map<char, unsigned> volumeDisks;  // letter -> disk number
  std::set<std::string> readableDevices;
};

inline LauncherFakes& Fakes() {
  static LauncherFakes fakes;
  return fakes;
}

inline bool RecordStart(const ShellStartRequest& r) {
  Fakes().starts.push_back({r.kind, r.owner, r.verb ? r.verb : "", r.file,
                            r.parameters ? r.parameters : "", r.showCommand});
  return true;
}

inline int RecordBox(const MessageBoxRequest& r) {
  Fakes().boxes.push_back({r.owner, r.text, r.caption, r.style});
  return Fakes().boxAnswer;
}

inline unsigned FakeVersionWord() { return Fakes().versionWord; }

inline bool FakeFileVersionText(const char* path, char* out, size_t size) {
  auto it = Fakes().fileVersions.find(path);
  return it != Fakes().fileVersions.end() && snprintf(out, size, "%s", it->second.c_str()) < (int)size;
}

inline unsigned FakeDriveStrings(char* buffer, unsigned size) {
  const std::string& roots = Fakes().driveRoots;
  if (roots.size() < size) memcpy(buffer, roots.c_str(), roots.size() + 1);
  return (unsigned)roots.size();
}

inline unsigned FakeDriveType(const char* root) { return Fakes().driveTypes[root]; }

inline bool FakeVolumeDisk(char letter, unsigned* disk) {
  auto it = Fakes().volumeDisks.find(letter);
  if (it != Fakes().volumeDisks.end()) *disk = it->second;
  return it != Fakes().volumeDisks.end();
}

inline bool FakeOpenDevice(const char* path) { return Fakes().readableDevices.count(path) != 0; }

// Installs the fakes; program starts and version texts are recorded and
// faked only when asked for, else left to the system.
class LauncherSeams {
 public:
  LauncherSeams(bool recordStarts, bool fakeFileVersions)
      : versions_{FakeVersionWord, fakeFileVersions ? FakeFileVersionText : nullptr},
        disks_{FakeDriveStrings, FakeDriveType, FakeVolumeDisk, FakeOpenDevice},
        settings_(TheProcessSettings),
        registry_(SetRegistryBackend(MemoryRegistryBackend())),
        shell_(SetShellStartHandler(recordStarts ? RecordStart : nullptr)),
        box_(SetMessageBoxHandler(RecordBox)),
        version_(SetSystemVersionSource(&versions_)),
        disk_(SetDiskQueries(&disks_)) {
    Fakes() = LauncherFakes();
    ClearMemoryRegistry();
  }
  ~LauncherSeams() {
    SetDiskQueries(disk_);
    SetSystemVersionSource(version_);
    SetMessageBoxHandler(box_);
    SetShellStartHandler(shell_);
    ClearMemoryRegistry();
    SetRegistryBackend(registry_);
    TheProcessSettings = settings_;
  }

 private:
  SystemVersionSource versions_;
  DiskQueries disks_;
  ProcessSettings settings_;
  const RegistryBackend* registry_;
  ShellStartHandler shell_;
  MessageBoxHandler box_;
  const SystemVersionSource* version_;
  const DiskQueries* disk_;
};

// Plexidor's settings key names the folder of its program file.
inline void PutEditorFolder(const std::string& folder) {
  PutMemoryRegistryText(kRegCurrentUser, "SOFTWARE\\Tarnwick Systems\\Plexidor\\5.0", nullptr,
                        folder.c_str());
}

// The user-account-control policy value, little-endian as the registry holds it.
inline void PutEnableLua(uint32_t value) {
  PutMemoryRegistryValue(kRegLocalMachine,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                         "EnableLUA", &value, sizeof value);
}
