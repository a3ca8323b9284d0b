// Feeds one input to the menu file reader. The first byte picks how the
// input becomes a file, so that inputs of a few KB reach every block:
//   0: the input is the whole file (the signature probe and refusals);
//   1: a current-layout file whose loader image is zeros with the "-ZQK"
//      header at 96, the data base moved by the second byte (in steps of
//      16 bytes, signed), and the input from the third byte on as the data
//      from the moved 0x7800 on;
//   2: an older-layout file whose data from 0x2C60 on is the input.
// After the read every list count must lie within its limit, and the
// loader's tables built from the document must come out whole.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/language.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "menu/runtime_tables.h"

LanguageState TheLanguage = {1049, "MS Sans Serif", 9, 1, nullptr, 0};
const char* GetString(int id) { return "Name"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] % 3;
  std::vector<uint8_t> file;
  if (mode == 0) {
    file.assign(data + 1, data + size);
  } else if (mode == 1) {
    if (size < 2) return 0;
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
  ReadMenuFileBytes(file.data(), file.size());
  const MenuDocument& doc = TheDocument;
  for (int list = 0; list < kListCount; ++list) {
    if (doc.ItemCount[list] > ListLimitOf(list)) abort();
  }
  ByteBuffer tables;
  BuildRuntimeTextTable(tables);
  BuildKeyTable(tables);
  BuildMenuTextTable(tables);
  BuildPasswordTable(tables);
  return 0;
}
