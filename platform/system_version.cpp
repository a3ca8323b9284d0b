#include "platform/system_version.h"

// The platform's own answers (system_version_win32.cpp or _posix.cpp).
unsigned SystemVersionWord();
bool SystemFileVersionText(const char* path, char* out, size_t size);

static const SystemVersionSource* g_versionSource = nullptr;

const SystemVersionSource* SetSystemVersionSource(const SystemVersionSource* source) {
  const SystemVersionSource* before = g_versionSource;
  g_versionSource = source;
  return before;
}

unsigned GetSystemVersionWord() {
  if (g_versionSource && g_versionSource->versionWord) return g_versionSource->versionWord();
  return SystemVersionWord();
}

bool GetFileVersionText(const char* path, char* out, size_t size) {
  if (g_versionSource && g_versionSource->fileVersionText) {
    return g_versionSource->fileVersionText(path, out, size);
  }
  return SystemFileVersionText(path, out, size);
}
