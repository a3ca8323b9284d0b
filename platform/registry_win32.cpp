// The real registry.
#include "platform/registry.h"

#include <windows.h>

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == kRegLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

RegistryKey Win32Open(RegistryRoot root, const char* path, bool create, bool readOnly) {
  HKEY key = nullptr;
  LONG status;
  if (create) {
    status = RegCreateKeyA(RootKey(root), path, &key);
  } else if (readOnly) {
    status = RegOpenKeyExA(RootKey(root), path, 0, KEY_READ, &key);
  } else {
    status = RegOpenKeyA(RootKey(root), path, &key);
  }
  return status == ERROR_SUCCESS ? (RegistryKey)key : nullptr;
}

void Win32Close(RegistryKey key) { RegCloseKey((HKEY)key); }

RegistryReadResult Win32Query(RegistryKey key, const char* name, char* out, size_t size,
                              size_t* length) {
  DWORD type = 0;
  DWORD bytes = (DWORD)size;
  *length = 0;
  LONG status = RegQueryValueExA((HKEY)key, name, nullptr, &type, (BYTE*)out, &bytes);
  if (status == ERROR_MORE_DATA) return kRegTooLong;
  if (status != ERROR_SUCCESS) return kRegMissing;
  if (bytes > size) return kRegTooLong;
  *length = bytes;
  return kRegRead;
}

bool Win32Write(RegistryKey key, const char* name, const void* data, size_t length) {
  return RegSetValueExA((HKEY)key, name, 0, REG_SZ, (const BYTE*)data, (DWORD)length) ==
         ERROR_SUCCESS;
}

const RegistryBackend kWin32Backend = {Win32Open, Win32Close, Win32Query, Win32Write};

}  // namespace

const RegistryBackend* PlatformRegistryBackend() { return &kWin32Backend; }
