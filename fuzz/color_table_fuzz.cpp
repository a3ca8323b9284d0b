// Feeds one input to the colour-table file reader and to the colour load
// from a bitmap palette.
#include "fuzz/fuzz_input_file.h"
#include "menu/color_table_file.h"
#include "menu/document.h"
#include "platform/message_box.h"

static int AnswerOk(const MessageBoxRequest&) { return kIdOk; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetMessageBoxHandler(AnswerOk);
  std::string path = FuzzPath("in.ctb");
  WriteFuzzFile(path, data, size);
  LoadColorTable(path.c_str(), nullptr);
  LoadColorTableFromBmp(path.c_str(), nullptr);
  // Every name the reader stored must end inside its array.
  for (const ColorEntry& entry : TheDocument.CurrentColorTable) {
    bool ended = false;
    for (char c : entry.name) ended = ended || c == '\0';
    if (!ended) __builtin_trap();
  }
  RemoveFuzzFile(path);
  return 0;
}
