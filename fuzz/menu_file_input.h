#pragma once
// How an input of the menu-file fuzz target becomes a menu file, shared by
// the target and by the test that reads its seed inputs. The first byte
// picks the form, so that inputs of a few KB reach every block:
//   0: the input is the whole file (the signature probe and refusals);
//   1: a current-layout file whose loader image is zeros with the "-ZQK"
//      header at 96, the data base moved by the second byte (in steps of
//      16 bytes, signed), and the input from the third byte on as the data
//      from the moved 0x7800 on;
//   2: an older-layout file whose data from 0x2C60 on is the input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// The menu file of an input; empty when the input is too short for its form.
inline std::vector<uint8_t> MenuFileFromFuzzInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file;
  if (size < 1) return file;
  const int mode = data[0] % 3;
  if (mode == 0) {
    file.assign(data + 1, data + size);
  } else if (mode == 1) {
    if (size < 2) return file;
    const int shift = (int(data[1]) - 128) * 16;
    const size_t base = size_t(0x7800 + shift);
    file.assign(base, 0);
    memcpy(&file[96], "-ZQK", 4);
    file[102] = uint8_t(base);
    file[103] = uint8_t(base >> 8);
    file.insert(file.end(), data + 2, data + size);
  } else {
    file.assign(0x2C60, 0);
    file.insert(file.end(), data + 1, data + size);
  }
  return file;
}
