#pragma once
// The Windows bitmap layout shared by every boot-screen bitmap reader and
// writer: result codes, header fields, byte helpers, row lengths and the
// naming of the converted files written beside a bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/byte_order.h"

// Result code of every bitmap operation.
enum BitmapResult {
  kBitmapDone = 0,         // done, or nothing to do
  kBitmapOpenError = 1,    // empty path, source not readable, output not creatable
  kBitmapFormatError = 2,  // not "BM"/"TW", compressed, unsupported or wrong depth
  kBitmapHeaderError = 3,  // a header cannot be read or written
  kBitmapDataError = 4,    // a palette entry or a pixel row cannot be read or written
  kBitmapMemoryError = 5,  // no buffer for the palette
  kBitmapSizeError = 6,    // not the required width and height
};

// Filled by the header readers and used by the writers.
struct BitmapInfo {
  int32_t width;
  int32_t height;
  int32_t reserved;        // always 0
  int32_t bitsPerPixel;
  int32_t dataOffset;      // output pixel data offset, set by a header writer
};

struct RgbColor {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// File header (14 bytes) and information header (40 bytes).
const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = 40;
// The longer information headers that begin with the same 40 bytes: the
// two versions with channel masks (52, 56), V4 (108) and V5 (124), which
// current editors write. The palette follows the header whatever its size.
const uint32_t kKnownInfoHeaderSizes[] = {40, 52, 56, 108, 124};
const size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
const size_t kFileType = 0;           // u16 "BM" or "TW"
const size_t kFileSize = 2;           // u32
const size_t kFileReserved1 = 6;      // u16
const size_t kFileReserved2 = 8;      // u16
const size_t kFileDataOffset = 10;    // u32
const size_t kInfoSize = 14;          // u32 40 (or a longer header's size)
const size_t kInfoWidth = 18;         // i32
const size_t kInfoHeight = 22;        // i32
const size_t kInfoPlanes = 26;        // u16 1
const size_t kInfoBitsPerPixel = 28;  // u16
const size_t kInfoCompression = 30;   // u32 0
const size_t kInfoImageSize = 34;     // u32
const size_t kPaletteOffset = 54;     // palette entries {blue, green, red, 0}
                                      // behind a 40-byte header

// The mark "Tw" in the two reserved words of a bitmap this program rewrote.
const uint16_t kMarkReserved1 = 0x54;
const uint16_t kMarkReserved2 = 0x77;

// Pixel data offset of every converted file (".BM1", ".BM2", ".B15", ".BM3").
const uint32_t kConvertedDataOffset = 2048;

// The widest boot screen; every row buffer is sized for it.
const int32_t kMaxBitmapWidth = 1024;
// A source row of the widest screen at the deepest depth, padded.
const size_t kMaxSourceRowBytes = kMaxBitmapWidth * 3 + 4;

// The fields of the two headers that the readers look at.
struct BitmapHeaders {
  uint16_t reserved1;
  uint16_t reserved2;
  uint32_t dataOffset;
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
  uint32_t compression;
};

// Reads the file header and the information header from the start of the
// stream and leaves it at the palette, behind the header's own size: 3
// when either cannot be read, 2 when the type is neither "BM" nor "TW",
// the header's size is not one of kKnownInfoHeaderSizes or the picture is
// compressed, else 0.
int ReadBitmapHeaders(FILE* file, BitmapHeaders* headers);

// Reads count palette entries {blue, green, red, reserved} from the stream's
// position into out: 0, or 4 when the file ends first.
int ReadPaletteEntries(FILE* file, int count, RgbColor* out);

// Moves the stream to the pixel data: 0, or 4 when the offset cannot be
// reached.
int SeekToPixelData(FILE* file, uint32_t offset);

// Length in bytes of one stored row (padded to a multiple of 4), or 0 when
// width is outside 1..kMaxBitmapWidth or bits is not 1, 4, 8, 16 or 24.
size_t SourceRowBytes(int32_t width, int32_t bits);

// Writes a file header and an information header for an uncompressed
// picture. Returns true when all 54 bytes were written.
bool WriteBitmapHeaders(FILE* file, const char type[2], uint32_t fileSize, bool marked,
                        uint32_t dataOffset, int32_t width, int32_t height, uint16_t bits,
                        uint32_t imageSize);

// Fills the 54 header bytes at out (same fields as WriteBitmapHeaders).
void BuildBitmapHeaders(uint8_t* out, const char type[2], uint32_t fileSize, bool marked,
                        uint32_t dataOffset, int32_t width, int32_t height, uint16_t bits,
                        uint32_t imageSize);

// The path with the extension of its file name replaced by ext (without the
// dot); a file name without a dot gets ".ext" appended. False, with out
// emptied, when the result does not fit or is the path itself (a source
// named like its own converted file must not be overwritten).
bool ReplaceExtension(char* out, size_t size, const char* path, const char* ext);

// Opens the work file of a bitmap output file (OpenWorkFile): the output
// itself stays as it is until FinishOutputFile. Null when it cannot be
// created.
FILE* CreateBitmapFile(const char* path);

// Closes the work file of path. When code is 0 and every write reached the
// disk, it replaces path; otherwise (then 4 is returned for a code of 0) it
// is removed and path stays as it was, so that no partial converted or
// rebuilt file is left for the loader or the preview.
int FinishOutputFile(FILE* file, const char* path, int code);
