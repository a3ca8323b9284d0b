#include "platform/registry_memory.h"

#include <cstring>
#include <map>
#include <string>

namespace {

// Key paths and value names compare without regard to case, as in the
// Windows registry.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
      int ca = tolower((unsigned char)a[i]);
      int cb = tolower((unsigned char)b[i]);
      if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
  }
};

struct MemoryKey {
  bool readOnly = false;
  std::map<std::string, std::string, NoCaseLess> values;
};

std::map<std::string, MemoryKey, NoCaseLess>& Keys() {
  static std::map<std::string, MemoryKey, NoCaseLess> keys;
  return keys;
}

// A trailing backslash names the same key, as in the Windows registry.
std::string KeyPath(RegistryRoot root, const char* path) {
  std::string full = std::string(root == kRegLocalMachine ? "HKLM\\" : "HKCU\\") + path;
  while (full.back() == '\\') full.pop_back();
  return full;
}

// A handle names the key's path; it stays valid when other keys are added.
struct MemoryHandle {
  std::string path;
  bool readOnly;
};

RegistryKey MemoryOpen(RegistryRoot root, const char* path, bool create, bool readOnly) {
  std::string full = KeyPath(root, path);
  auto& keys = Keys();
  if (keys.find(full) == keys.end()) {
    if (!create) return nullptr;
    keys[full];
  }
  return new MemoryHandle{full, readOnly};
}

void MemoryClose(RegistryKey key) { delete (MemoryHandle*)key; }

RegistryReadResult MemoryQuery(RegistryKey key, const char* name, char* out, size_t size,
                               size_t* length) {
  *length = 0;
  auto keyIt = Keys().find(((MemoryHandle*)key)->path);
  if (keyIt == Keys().end()) return kRegMissing;
  auto it = keyIt->second.values.find(name);
  if (it == keyIt->second.values.end()) return kRegMissing;
  if (it->second.size() > size) return kRegTooLong;
  memcpy(out, it->second.data(), it->second.size());
  *length = it->second.size();
  return kRegRead;
}

bool MemoryWrite(RegistryKey key, const char* name, const void* data, size_t length) {
  MemoryHandle* handle = (MemoryHandle*)key;
  if (handle->readOnly) return false;
  auto keyIt = Keys().find(handle->path);
  if (keyIt == Keys().end()) return false;
  keyIt->second.values[name] = std::string((const char*)data, length);
  return true;
}

const RegistryBackend kMemoryBackend = {MemoryOpen, MemoryClose, MemoryQuery, MemoryWrite};

}  // namespace

const RegistryBackend* MemoryRegistryBackend() { return &kMemoryBackend; }

void UseMemoryRegistry() { SetRegistryBackend(&kMemoryBackend); }

void ClearMemoryRegistry() { Keys().clear(); }

void PutMemoryRegistryValue(RegistryRoot root, const char* path, const char* name,
                            const void* data, size_t length) {
  Keys()[KeyPath(root, path)].values[name ? name : ""] = std::string((const char*)data, length);
}

void PutMemoryRegistryText(RegistryRoot root, const char* path, const char* name, const char* text) {
  PutMemoryRegistryValue(root, path, name, text, strlen(text) + 1);
}

void RemoveMemoryRegistryKey(RegistryRoot root, const char* path) { Keys().erase(KeyPath(root, path)); }
