#include "menu/command_resources.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_ids.h"
#include "menu/document.h"
#include "menu/document_view.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/work_file.h"

CommandScanState TheCommandScan = {{false, false, false, false}, 4};

namespace {

void ShowScanMessage(int id, const std::string& path) {
  char text[2048];
  snprintf(text, sizeof text, GetString(id), path.c_str());
  ShowMessageBox(TheDocumentView().OwnerWindow(), text, GetString(kStrCaptionError),
                 kMbIconInformation);
}

bool StartsWith(const char* text, const char* word) {
  return strncmp(text, word, strlen(word)) == 0;  // the command is already lower case
}

const char* SkipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

// The argument from p up to the first of the stop characters (or the end).
std::string ArgumentUpTo(const char* p, const char* stops) {
  return std::string(p, strcspn(p, stops));
}

std::string Join(const char* dir, const std::string& name) {
  char path[2100];
  if (!JoinPath(path, sizeof path, dir, name.c_str())) return std::string();
  return path;
}

// A boot file named in a command: under the disc folder when it starts with
// '/', else in the menu folder. Slashes become the platform's separator.
std::string BootFilePath(const std::string& argument) {
  if (!argument.empty() && argument[0] == '/') {
    std::string path = std::string(TheDocument.CDFileDir) + argument;
    for (char& c : path) {
      if (c == '/') c = kPathSeparator;
    }
    return path;
  }
  return Join(TheDocument.MenuFileDir, argument);
}

void CheckBootFileExists(const std::string& argument, bool quietMissing) {
  const std::string path = BootFilePath(argument);
  if (!quietMissing && !FileExists(path.c_str())) ShowScanMessage(kStrBootFileNotExist, path);
}

bool IsGzipFile(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  unsigned char head[4];
  const bool read = fread(head, 1, 4, f) == 4;
  fclose(f);
  return read && head[0] == 0x1F && head[1] == 0x8B && head[2] == 0x08;
}

void CopyAuxiliaryFile(bool& marker, const char* name) {
  marker = true;
  const std::string target = Join(TheDocument.MenuFileDir, name);
  if (!FileExists(target.c_str())) {
    char resource[1100];
    if (JoinPath(resource, sizeof resource, GetHomeDir(), "resource")) {
      const std::string source = Join(resource, name);
      if (FileExists(source.c_str())) CopyWholeFile(source.c_str(), target.c_str());
    }
  }
  if (!FileExists(target.c_str())) ShowScanMessage(kStrBootFileNotExist, target);
}

void CopyIsolinuxPair(int version) {
  if (version == 4) {
    CopyAuxiliaryFile(TheCommandScan.copied.isolinux, "isolinux");
    CopyAuxiliaryFile(TheCommandScan.copied.isolinux, "syslinux");
    return;
  }
  char isolinux[16], syslinux[16];
  snprintf(isolinux, sizeof isolinux, "isolinu%d", version);
  snprintf(syslinux, sizeof syslinux, "syslinu%d", version);
  CopyAuxiliaryFile(TheCommandScan.copied.isolinux, isolinux);
  CopyAuxiliaryFile(TheCommandScan.copied.isolinux, syslinux);
}

// Acts on a keyword at p; returns true when the scan ends there.
bool ScanKeyword(const char* p, bool folderChange) {
  CommandScanState& scan = TheCommandScan;
  if (StartsWith(p, "run") || StartsWith(p, "vfloppy")) {
    const std::string argument = ArgumentUpTo(SkipBlanks(p + (p[0] == 'r' ? 3 : 7)), ";");
    const std::string path = BootFilePath(argument);
    if (!folderChange && !FileExists(path.c_str())) ShowScanMessage(kStrBootFileNotExist, path);
    if (IsGzipFile(path)) ShowScanMessage(kStrBootFileCompressed, path);
    return true;
  }
  if (StartsWith(p, "grldr")) {
    if (!scan.copied.grldr) CopyAuxiliaryFile(scan.copied.grldr, "grldr");
    CheckBootFileExists(ArgumentUpTo(SkipBlanks(p + 5), ";"), folderChange);
    return true;
  }
  if (StartsWith(p, "bcdw")) {
    if (!scan.copied.bcdw) CopyAuxiliaryFile(scan.copied.bcdw, "bcdw.bin");
    const char* argument = SkipBlanks(p + 4);
    if (*argument == ':') return true;
    // A missing bcdw file is reported also after a folder change.
    const std::string path = *argument == '/' ? BootFilePath(ArgumentUpTo(argument, " "))
                                              : Join(TheDocument.MenuFileDir, argument);
    if (!FileExists(path.c_str())) ShowScanMessage(kStrBootFileNotExist, path);
    return true;
  }
  if (StartsWith(p, "slver") || StartsWith(p, "ilver")) {
    const char d = *SkipBlanks(p + 5);
    if (d >= '3' && d <= '6') scan.isolinuxVersion = d - '0';
    return false;
  }
  if (StartsWith(p, "isolinux")) {
    if (!scan.copied.isolinux) CopyIsolinuxPair(scan.isolinuxVersion);
    CheckBootFileExists(ArgumentUpTo(SkipBlanks(p + 8), " "), folderChange);
    return true;
  }
  if (StartsWith(p, "memdisk")) {
    if (!scan.copied.isolinux) CopyIsolinuxPair(4);
    if (!scan.copied.memdisk) CopyAuxiliaryFile(scan.copied.memdisk, "memdisk");
    CheckBootFileExists(SkipBlanks(p + 7), folderChange);
    return true;
  }
  return false;
}

}  // namespace

void ClearCopiedMarkers() { TheCommandScan.copied = CopiedMarkerSet{false, false, false, false}; }

void CopyCommandResources(char* command) {
  for (char* c = command; *c; ++c) {
    if (*c >= 'A' && *c <= 'Z') *c = char(*c - 'A' + 'a');
    if (*c == '\\') *c = '/';
  }
  const bool folderChange = StartsWith(command, "cd ");
  for (const char* p = command; *p; ++p) {
    if (ScanKeyword(p, folderChange)) return;
  }
}
