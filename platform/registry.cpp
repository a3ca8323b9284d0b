#include "platform/registry.h"

#include <cstring>

#include "platform/registry_memory.h"

// The platform's own registry: the real one on Win32, the in-memory one
// natively.
const RegistryBackend* PlatformRegistryBackend();

static const RegistryBackend* g_registryBackend = nullptr;

static const RegistryBackend* Backend() {
  return g_registryBackend ? g_registryBackend : PlatformRegistryBackend();
}

const RegistryBackend* SetRegistryBackend(const RegistryBackend* backend) {
  const RegistryBackend* before = g_registryBackend;
  g_registryBackend = backend;
  return before;
}

RegistryKey OpenRegistryKey(RegistryRoot root, const char* path) {
  return Backend()->open(root, path, false, false);
}

RegistryKey OpenRegistryKeyForRead(RegistryRoot root, const char* path) {
  return Backend()->open(root, path, false, true);
}

RegistryKey CreateRegistryKey(RegistryRoot root, const char* path) {
  return Backend()->open(root, path, true, false);
}

void CloseRegistryKey(RegistryKey key) {
  if (key) Backend()->close(key);
}

bool TerminateRegistryText(char* buffer, size_t size, size_t length) {
  if (size == 0 || length > size) return false;
  if (length > 0 && buffer[length - 1] == '\0') return true;
  if (length == size) return false;
  buffer[length] = '\0';
  return true;
}

RegistryReadResult ReadRegistryText(RegistryKey key, const char* name, char* out, size_t size) {
  if (size == 0) return kRegTooLong;
  out[0] = '\0';
  if (!key) return kRegMissing;
  size_t length = 0;
  RegistryReadResult result = Backend()->queryRaw(key, name ? name : "", out, size, &length);
  if (result == kRegRead && !TerminateRegistryText(out, size, length)) result = kRegTooLong;
  if (result != kRegRead) out[0] = '\0';
  return result;
}

bool ReadRegistryDword(RegistryKey key, const char* name, uint32_t* value) {
  if (!key) return false;
  unsigned char bytes[4];
  size_t length = 0;
  if (Backend()->queryRaw(key, name ? name : "", (char*)bytes, sizeof bytes, &length) != kRegRead ||
      length != sizeof bytes) {
    return false;
  }
  *value = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
  return true;
}

bool WriteRegistryText(RegistryKey key, const char* name, const char* text) {
  if (!key) return false;
  return Backend()->write(key, name ? name : "", text, strlen(text) + 1);
}
