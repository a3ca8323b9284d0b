#pragma once
// The menu file reader: LoadMenuFile replaces TheDocument with the contents
// of a menu file (MenuFileName in MenuFileDir), of the current layout with
// its "-ZQK" loader signature or of the older fixed layout.
#include <cstddef>
#include <cstdint>

// Reads the file, refreshes the main window through the document view and
// leaves a clean document with an empty undo history. Counts in the file
// above a list's limit are cut to the limit (the items behind are skipped).
// Reports a missing, unopenable, foreign or damaged file by message box; the
// document is then left as it was. A damaged file (one that ends before a
// block or a count's entries that it names, whose section table names a
// block past its end, or whose editor part does not end where its key table
// starts) is refused as a foreign one, with the names of the last file
// restored. A file whose stored logo or background name is not a plain file
// name of the menu folder (a separator, a drive, "..") is refused like an
// unopenable one, with the names of the last file restored. The main
// window's password field takes the password stored in the menu folder's
// "loader.bin" (empty when there is none). True when the file was read.
bool LoadMenuFile();

// The reading of a file's bytes into TheDocument alone (no messages, no
// view calls): what LoadMenuFile does once the file is open. False when
// the bytes are not a whole menu file (the document is then untouched).
// For tests and the fuzzer.
bool ReadMenuFileBytes(const uint8_t* data, size_t size);

// Gives colour entries whose value equals the default table's entry the
// default (current language's) name.
void LocaliseColorNames();
