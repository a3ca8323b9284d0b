#pragma once
// The configuration dialog's working copy: the colour table and the six
// screen and loader settings it edits. The dialog's handlers change only
// the copy; OK copies it into the document, Cancel drops it. Window-free.
#include <cstdint>

#include "menu/document.h"

// The six settings, in this order.
struct ConfigSettings {
  uint8_t ColorMode;       // ColorModeValue
  uint8_t Resolution;      // ResolutionValue
  uint8_t MouseOff;        // 0 enabled, 255 disabled
  uint8_t DefaultMenuOff;  // 0 enabled, 1 disabled
  uint8_t KeepKernel;      // 1 on, 0 off
  uint8_t SmoothVideo;     // 1 on, 0 off
};

struct ConfigWorkingCopy {
  ColorTable WorkingColorTable;
  ConfigSettings WorkingSettings;
};

// The copy of the document's table and settings. 16 colours exist only at
// 640 x 480, so with them the copy holds that resolution whatever the
// document says.
void LoadWorkingCopy(ConfigWorkingCopy& copy);

// A screen mode chosen in the dialog; 16 colours bring 640 x 480.
void SetWorkingColorMode(ConfigWorkingCopy& copy, int colorMode);

// OK: the whole table and the settings into the document. A changed
// resolution also sets MenuScreenSize and the row and column limits
// (ApplyResolution). Returns true when the resolution changed.
bool ApplyWorkingCopy(const ConfigWorkingCopy& copy);

// How many layout boxes, text lines and menu entries, and whether the
// countdown and the progress bar (when shown), reach past the menu screen
// (MenuScreenSize); each counts once.
int CountItemsOutsideScreen();
