// The native build loads no Windows libraries: only in-memory libraries
// (registered by tests) can be loaded there.
#include "platform/library_loader_system.h"

LibraryHandle SystemLoadLibrary(const char* path) { return nullptr; }

void* SystemGetExport(LibraryHandle library, const char* name) { return nullptr; }

void SystemFreeLibrary(LibraryHandle library) {}

bool SystemGetImageRange(LibraryHandle library, const char** begin, const char** end) {
  return false;
}
