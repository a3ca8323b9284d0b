#pragma once
// The main window's settings that other windows read and change: the
// auto-open switch, the output image of the Make-ISO dialog and the image
// options. They live from start to exit; the main window's first showing
// loads them from the settings key and the quit sequence stores them
// (ui/frm_tb_settings.cpp). The menu file's folders and name live in the
// document (TheDocument.MenuFileName, MenuFileDir, ImageFileDir, CDFileDir),
// KeepKernel and SmoothVideo there too.
#include <cstdint>

#include "menu/document.h"

enum { kLabelSize = 260 };

// The image options of the Make-ISO dialog, each named after its value in
// the settings key (and stored there by that name, whatever the order).
struct IsoSettingValues {
  int32_t Optimize;        // store files of equal contents once
  int32_t VOL_DOS83;       // DOS 8.3 names
  int32_t VOL_Joliet;      // add the Joliet tree
  int32_t SetDateTime;     // one fixed date and time for every entry
  int32_t HideBootFolder;  // hide the boot folder
  int32_t HideBootFiles;   // hide the boot folder's files
  int32_t VOL_Lowercase;   // lower case allowed
};

struct MainSettings {
  uint8_t AutoLoad;              // reopen the last menu file at start
  // The last menu file's name as the settings key keeps it: read at start,
  // and stored at quit while the document has no name of its own (a start
  // that opened no menu, New), so that a later start can still open it.
  char MenuFileName[kPathSize];
  char ISOFileDir[kPathSize];    // folder of the output image
  char ISOFileName[kPathSize];   // its file name
  char VolumeLabel[kLabelSize];  // volume label of the next image
  char PreparerName[kLabelSize]; // data-preparer text of the next image
  IsoSettingValues IsoSettings;
};

extern MainSettings TheMainSettings;

// The program's version: four decimal numbers joined by dots.
extern const char ProgramVersion[];

// True on Windows 2000 and later (the low byte of GetVersion above 4):
// every file dialog then takes the newer, longer structure.
bool IsWin2000OrLater();
