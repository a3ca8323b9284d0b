// Natively there is no Windows version and no version resource.
#include "platform/system_version.h"

unsigned GetSystemVersionWord() { return 0; }

bool GetFileVersionText(const char* path, char* out, size_t size) {
  if (size) out[0] = '\0';
  return false;
}
