#pragma once
// The main menu password. It is kept only in the two boot files of the
// menu folder ("loader.bin" and "kvldr"), never in the menu file: a 10-byte
// field of a uint16 length (0..8) and up to 8 characters, each XOR 0xFF.
#include <cstdint>
#include <string>

// The field for a text: trimmed at both ends, the first 8 characters
// inverted, zero-padded.
void EncodeMainPassword(const char* text, uint8_t out[10]);

// The password stored in "loader.bin" of folder; empty when the file is
// missing, ends before the end of the field, or its length field is above 8.
std::string ReadLoaderPassword(const char* folder);
