#pragma once
// The main window's settings that other windows read.

// True on Windows 2000 and later (the low byte of GetVersion above 4):
// every file dialog then takes the newer, longer structure.
bool IsWin2000OrLater();
