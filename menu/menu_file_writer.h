#pragma once
// The menu file writer: SaveMenuFile writes TheDocument as a menu file cut
// from the boot-loader template "korvel.dat" (in the home folder) and, for a
// main menu, the two boot files "loader.bin" and "kvldr" beside it.
#include <cstdint>
#include <cstdio>
#include <string>

// 1 only during the save that precedes the Make-ISO dialog: SaveMenuFile
// then shows none of its own messages (the command scan's still show).
extern uint8_t QuietSave;

// Writes MenuFileName in MenuFileDir. The new file is written beside the
// old one and put in its place only when it is complete, so a failure at
// any step leaves the previous menu file (and the boot files) as they were.
// A document whose file would pass 65,535 bytes is refused. Reports every
// failure by message box (unless QuietSave; a boot file that could not be
// written is reported even then); on success the undo history is empty and
// DocumentModified is 0. True when the menu file is in place.
bool SaveMenuFile();

// "loader.bin" (2,048 bytes) and "kvldr" (8,192 bytes) in MenuFileDir from
// the open template, with the menu file name, image folder, KeepKernel,
// mode byte, DefaultMenuOff and the main menu password patched in, each
// written whole through a work file, so a failed write leaves the earlier
// file as it was. Silent; false when not written.
bool WriteLoaderBoot(FILE* templateFile);
bool WriteSecondLoader(FILE* templateFile);

// Patch the main menu password (the main window's txtPassword field) into
// an existing "loader.bin" / "kvldr" in MenuFileDir, through a work file as
// above. Silent; nothing is done when the file is missing, cannot be read
// or is too short for the field.
// True when the field was written (the password button reports a failure).
bool WriteLoaderPassword();
bool WriteSecondLoaderPassword();

// Index 0..15 of the darkest and of the brightest CurrentColorTable entry
// (integer part of sqrt(r*r + g*g + b*b); the lowest index wins a tie).
int DarkestColorIndex();
int BrightestColorIndex();

// The loader image (0..9) of a colour mode and resolution.
int LoaderVariantIndex(uint8_t colorMode, uint8_t resolution);
