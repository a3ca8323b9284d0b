#pragma once
// The 8-bit member of the boot-screen bitmap family: a reader for 1-, 4-
// and 8-bit Windows bitmaps that maps every source colour to an output
// palette index, the 256-colour converted file (".BM1", top row first,
// palette in 6-bit components at 2048 - 1024 bytes) with its palette
// reduction, and the marked plain 8-bit bitmap that the preview and the
// restorer write.
#include <cstdint>
#include <cstdio>

#include "menu/bitmap_format.h"

struct ColorUse {
  uint8_t index;   // source colour index
  uint32_t count;  // pixels that use it
};

// The work tables of the 8-bit family: one set for the process, filled by
// each operation for its own use.
struct EightBitTables {
  // The colour table as RGB; entries 0..15 of every converted palette.
  // Starts as the default colours; CheckBootImage sets it from the
  // document before a 256-colour conversion, and it keeps those colours
  // for later in-place conversions in the preview.
  RgbColor PaletteReference[16];
  RgbColor WorkPalette[256];  // palette of the output
  uint8_t RemapTable[256];    // source colour index -> output index
  ColorUse UseCounts[256];    // by output index while reading 8-bit rows
  // Set by ConvertBitmapInPlace before reading; cleared by
  // ReadBitmapHeader when the file carries the mark "Tw".
  bool NeedsConversion;
};
extern EightBitTables BitmapTables;

// PaletteReference = the colours of a colour table (0x00BBGGRR values).
void SetPaletteReference(const uint32_t colors[16]);

// Reads both headers and the palette, fills WorkPalette, RemapTable and
// UseCounts and moves to the pixel data. 1- and 4-bit pictures get
// PaletteReference in entries 0..15 and their own colours from 16 on.
int ReadBitmapHeader(FILE* file, BitmapInfo* info);

// Reads one stored row and writes width output indices to out (which
// holds at least width bytes). 8-bit pixels are counted in UseCounts.
int ReadBitmapRow(uint8_t* out, int32_t width, int32_t bits, FILE* file);

// Writes the first 2048 bytes of a ".BM1" file from WorkPalette and sets
// info->dataOffset.
int WriteConvertedHeader(FILE* file, BitmapInfo* info);
// Writes one row of width indices as output row number row.
int WriteConvertedRow(FILE* file, const BitmapInfo& info, int32_t row, const uint8_t* data);

// Builds the palette of a background from how often its 8-bit pixels use
// each colour: entries 0..15 PaletteReference, then the picture's colours
// by decreasing use (skipping those equal to a table colour), the rest
// mapped to their nearest entry. Reads every row once from the stream's
// position; the caller moves back afterwards.
void ReducePaletteByUse(FILE* file, const BitmapInfo& info);

// Writes the header and 256-entry palette of a marked plain 8-bit bitmap
// (pixel data at 1078) from WorkPalette, each component multiplied by
// scale (1 for full values, 4 for the 6-bit values of a ".BM1" file).
int WriteMarkedPlainHeader(FILE* file, BitmapInfo* info, int scale);

// Writes "<name>.BM1" beside the bitmap for 256-colour mode at the menu
// screen size. reduce 1 (backgrounds): an 8-bit picture gets the palette of
// ReducePaletteByUse; reduce 0 (logos): the picture's own palette.
int ConvertImageTo8Bit(const char* path, int reduce);
