#pragma once
// The 16-bit, 15-bit and 24-bit members of the boot-screen bitmap family:
// converted files for 64K- and 16M-colour mode (".BM2" 5-6-5, ".B15"
// 5-5-5, ".BM3" blue-green-red bytes; top row first, pixels at 2048, no
// padding), read from 1-, 4-, 8-, 16- or 24-bit Windows bitmaps.
#include <cstdint>
#include <cstdio>

#include "menu/bitmap_format.h"

enum DepthMember {
  kDepth16 = 0,  // 5-6-5: red 11-15, green 6-10 (bit 5 always 0), blue 0-4
  kDepth15 = 1,  // 5-5-5: red 10-14, green 5-9, blue 0-4, bit 15 clear
  kDepth24 = 2,  // bytes blue, green, red
};

// Bytes per output pixel of a member: 2, 2 or 3.
int DepthPixelBytes(DepthMember member);

// A colour in the member's pixel format, stored little-endian at out.
void EncodeDepthColor(DepthMember member, uint8_t red, uint8_t green, uint8_t blue, uint8_t* out);
// A 16-bit source pixel (5-5-5, bit 15 ignored) in the member's format.
void EncodeDepthPixel16(DepthMember member, uint16_t value, uint8_t* out);

// Reads both headers and, for 1, 4 and 8 bits, the palette into the
// member's colour table, then moves to the pixel data. The mark is not
// looked at.
int ReadDepthHeader(DepthMember member, FILE* file, BitmapInfo* info);
// Reads one stored row and writes width pixels in the member's format to
// out (width x DepthPixelBytes bytes).
int ReadDepthRow(DepthMember member, uint8_t* out, int32_t width, int32_t bits, FILE* file);
// The 2048-byte header of a converted file; sets info->dataOffset = 2048.
int WriteImageHeader(DepthMember member, FILE* file, BitmapInfo* info);
// Writes width pixels of the member's format as row number row.
int WriteImageRow(DepthMember member, FILE* file, const BitmapInfo& info, int32_t row,
                  const uint8_t* data);
// The 54-byte header of a bitmap rebuilt from a converted file (marked,
// no colour table); sets info->dataOffset = 54.
int WriteRestoredHeader(DepthMember member, FILE* file, BitmapInfo* info);

// Writes the member's converted file beside the bitmap at the menu screen
// size. Every problem with the source's headers is reported as 6.
int ConvertImageTo16Bit(const char* path);
int ConvertImageTo15Bit(const char* path);
int ConvertImageTo24Bit(const char* path);

// The extension of a member's converted file: "BM2", "B15" or "BM3".
const char* DepthExtension(DepthMember member);
