#include "image/md5.h"

#include "platform/byte_order.h"
#include "platform/output_file.h"

#include <cstring>
#include <memory>

namespace {

inline uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// Per-round shift amounts and the sine-derived constants of the algorithm.
const int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                        5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                        4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                        6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

void Transform(uint32_t state[4], const uint8_t block[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; i++) x[i] = get32le(block + 4 * i);
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; i++) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (b & d) | (c & ~d);
      g = (5 * i + 1) & 15;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) & 15;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) & 15;
    }
    uint32_t rotated = RotateLeft(a + f + kSine[i] + x[g], kShift[i]);
    a = d;
    d = c;
    c = b;
    b = b + rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void Md5Init(Md5Context* context) {
  context->count[0] = context->count[1] = 0;
  context->state[0] = 0x67452301;
  context->state[1] = 0xefcdab89;
  context->state[2] = 0x98badcfe;
  context->state[3] = 0x10325476;
}

void Md5Update(Md5Context* context, const void* data, size_t length) {
  const uint8_t* input = (const uint8_t*)data;
  size_t index = (context->count[0] >> 3) & 0x3F;
  uint64_t bits = ((uint64_t)context->count[1] << 32 | context->count[0]) + ((uint64_t)length << 3);
  context->count[0] = (uint32_t)bits;
  context->count[1] = (uint32_t)(bits >> 32);
  size_t room = 64 - index;
  size_t i = 0;
  if (length >= room) {
    memcpy(context->buffer + index, input, room);
    Transform(context->state, context->buffer);
    for (i = room; i + 63 < length; i += 64) Transform(context->state, input + i);
    index = 0;
  }
  memcpy(context->buffer + index, input + i, length - i);
}

void Md5Final(uint8_t digest[16], Md5Context* context) {
  uint8_t bits[8];
  put32le(bits, context->count[0]);
  put32le(bits + 4, context->count[1]);
  size_t index = (context->count[0] >> 3) & 0x3F;
  size_t padding = index < 56 ? 56 - index : 120 - index;
  static const uint8_t kPadding[64] = {0x80};
  Md5Update(context, kPadding, padding);
  Md5Update(context, bits, 8);
  for (int i = 0; i < 4; i++) put32le(digest + 4 * i, context->state[i]);
  memset(context, 0, sizeof *context);
}

uint8_t* Md5File(uint8_t digest[16], const char* path, bool (*keep_going)()) {
  // Large reads: the digest runs over every same-size candidate file. The
  // block is taken before the file is opened, so that running out of
  // memory (std::bad_alloc) leaves nothing open.
  const size_t kBlock = 65536;
  std::unique_ptr<uint8_t[]> block(new uint8_t[kBlock]);
  FileHandle file = OpenInputFile(path);
  if (file == kInvalidFileHandle) return nullptr;
  Md5Context context;
  Md5Init(&context);
  bool stopped = false;
  for (;;) {
    if (keep_going && !keep_going()) {
      stopped = true;
      break;
    }
    long got = ReadFromHandle(file, block.get(), kBlock);
    if (got <= 0) break;
    Md5Update(&context, block.get(), (size_t)got);
    if ((size_t)got < kBlock) break;
  }
  CloseFileHandle(file);
  if (stopped) return nullptr;
  Md5Final(digest, &context);
  return digest;
}
