#pragma once
// MD5 message digest (RFC 1321), for finding files of equal contents.
#include <cstddef>
#include <cstdint>

struct Md5Context {
  uint32_t state[4];
  uint32_t count[2];      // bits hashed so far, low word first
  uint8_t buffer[64];     // bytes of the incomplete block
};

void Md5Init(Md5Context* context);
void Md5Update(Md5Context* context, const void* data, size_t length);
// Pads, stores the 16-byte digest, then zeroes the context.
void Md5Final(uint8_t digest[16], Md5Context* context);
// MD5 of a whole file; the digest's address, or null (digest untouched)
// when the file cannot be opened. A read error ends the data like its end.
// keep_going, when given, is asked before each block: false stops the
// reading, and the result is null. Throws std::bad_alloc when there is no
// memory for its read block.
uint8_t* Md5File(uint8_t digest[16], const char* path, bool (*keep_going)() = nullptr);
