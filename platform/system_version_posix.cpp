// Natively there is no Windows version and no version resource.
#include <cstddef>

unsigned SystemVersionWord() { return 0; }

bool SystemFileVersionText(const char* path, char* out, size_t size) {
  if (size) out[0] = '\0';
  return false;
}
