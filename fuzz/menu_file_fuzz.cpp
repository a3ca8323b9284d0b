// Feeds one input to the menu file reader; fuzz/menu_file_input.h says how
// the input becomes a file. After the read every list count must lie within
// its limit, and the loader's tables built from the document must come out
// whole.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/language.h"
#include "fuzz/menu_file_input.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "menu/runtime_tables.h"

LanguageState TheLanguage = {1049, "MS Sans Serif", 9, 1, nullptr, 0};
const char* GetString(int id) { return "Name"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file = MenuFileFromFuzzInput(data, size);
  if (file.empty()) return 0;
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
