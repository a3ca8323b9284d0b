#pragma once
// The command scan of the menu file writer: normalises a boot command and
// copies the auxiliary boot files it needs (grldr, bcdw.bin, isolinux and
// syslinux, memdisk) from the program's "resource" folder into the menu
// folder, reporting boot files that are missing or gzip-compressed.

// One flag per auxiliary file (set) copied during the current save.
struct CopiedMarkerSet {
  bool grldr;
  bool bcdw;
  bool isolinux;  // isolinux and syslinux together
  bool memdisk;
};

struct CommandScanState {
  CopiedMarkerSet copied;
  // The isolinux generation chosen by "slver"/"ilver" (3..6); 4 at start
  // and kept for the rest of the run, across saves and documents.
  int isolinuxVersion;
};

extern CommandScanState TheCommandScan;

// Clears the four copied markers (start of a save's editor part).
void ClearCopiedMarkers();

// Lowers A-Z and turns every backslash into a slash, in place, then acts on
// the command's first keyword: checks its boot file in the menu folder or
// under the disc folder, copies the auxiliary files it needs. Messages use
// the "Error" caption and the information icon, also during a quiet save.
void CopyCommandResources(char* command);
