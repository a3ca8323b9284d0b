#include "menu/main_password.h"

#include <cstdio>
#include <cstring>

#include "app/text_helpers.h"
#include "menu/korvel_template.h"
#include "platform/byte_order.h"
#include "platform/files.h"

namespace {

const size_t kPasswordFieldSize = 10;
const size_t kMaxPasswordLength = 8;

}  // namespace

void EncodeMainPassword(const char* text, uint8_t out[10]) {
  memset(out, 0, kPasswordFieldSize);
  const char* trimmed = TrimText(text ? text : "");
  const size_t n = strnlen(trimmed, kMaxPasswordLength);
  put16le(out, uint32_t(n));
  for (size_t i = 0; i < n; ++i) out[2 + i] = uint8_t(trimmed[i]) ^ 0xFF;
}

std::string ReadLoaderPassword(const char* folder) {
  char path[2100];
  if (!JoinPath(path, sizeof path, folder, kLoaderBootName) || !FileExists(path)) return std::string();
  if (GetFileSize64(path) < int64_t(kBootPasswordField + kPasswordFieldSize)) return std::string();
  FILE* f = fopen(path, "rb");
  if (!f) return std::string();
  uint8_t field[kPasswordFieldSize];
  const bool read = fseek(f, long(kBootPasswordField), SEEK_SET) == 0 &&
                    fread(field, 1, sizeof field, f) == sizeof field;
  fclose(f);
  const size_t n = read ? get16le(field) : 0;
  if (n > kMaxPasswordLength) return std::string();
  std::string password;
  for (size_t i = 0; i < n; ++i) password += char(field[2 + i] ^ 0xFF);
  return password;
}
