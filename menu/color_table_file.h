#pragma once
// The colour-table file (".ctb", 604 bytes): the text "Tarnwick ColorTable
// File", the count 16, then the 16 entries of the document's
// CurrentColorTable {u32 colour 0x00BBGGRR; char name[32]}. Every failure
// shows one message box (owned by owner) and leaves the table unchanged.
#include <cstddef>
#include <cstdint>

const char kColorTableSignature[] = "Tarnwick ColorTable File";  // 24 characters
const size_t kColorTableSignatureSize = 24;
const size_t kColorTableCountOffset = 24;
const size_t kColorTableEntriesOffset = 28;
const size_t kColorTableEntrySize = 36;
const uint32_t kColorTableCount = 16;
const size_t kColorTableFileSize = kColorTableEntriesOffset + kColorTableCount * kColorTableEntrySize;

// Writes CurrentColorTable to the file. An existing file is replaced from its
// start, not shortened (its bytes behind the table stay); the new file is
// written beside it and takes its place only when complete. False (after
// message 18020) when it cannot be created or written: the file is then as
// it was.
bool SaveColorTable(const char* path, void* owner);

// Replaces CurrentColorTable, values and names, from the file. Only a file
// with the exact text, the count 16 and all 16 entries is taken; anything
// else is refused with message 18055 (18022 when missing, 18021 when it
// cannot be opened).
bool LoadColorTable(const char* path, void* owner);

// Replaces the 16 colour values of CurrentColorTable by the palette of a
// 4-bit bitmap; the names stay. Messages 18065 to 18067 on failure.
bool LoadColorTableFromBmp(const char* path, void* owner);
