#pragma once
// Builds the bytes of a menu file for TheDocument in memory: everything in
// front of the code-page font (head) and the password table behind it
// (tail). The code-page font itself is copied from the template straight
// into the file by WriteCodePageFont, between the two.
#include <cstdint>
#include <cstdio>

#include "menu/runtime_tables.h"

struct MenuFileParts {
  ByteBuffer head;
  ByteBuffer tail;
  uint32_t totalSize;  // head + font + tail, the true length of the file
};

// Reads the loader image and the boot font from the open template, checks
// the logo and background (messages unless QuietSave), passes every command
// through CopyCommandResources and fills all blocks, the section table and
// the file size word. False when the template did not give the bytes.
bool BuildMenuFile(FILE* templateFile, MenuFileParts& parts);

// Reads size bytes at offset of the template; false on a short read.
bool ReadTemplate(FILE* templateFile, uint32_t offset, uint8_t* out, uint32_t size);
