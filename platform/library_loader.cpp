#include "platform/library_loader.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/library_loader_system.h"

namespace {

struct InMemoryLibrary {
  std::string path;
  const InMemoryExport* exports;
  int exportCount;
  const char* imageBegin;
  const char* imageEnd;
  int loadCount;
};

// Pointers to the records are the handles of in-memory libraries; the
// records are never moved while registered (vector of owned pointers).
std::vector<InMemoryLibrary*>& Registry() {
  static std::vector<InMemoryLibrary*> registry;
  return registry;
}

InMemoryLibrary* FindByPath(const char* path) {
  for (InMemoryLibrary* library : Registry())
    if (library->path == path) return library;
  return nullptr;
}

InMemoryLibrary* FindByHandle(LibraryHandle handle) {
  for (InMemoryLibrary* library : Registry())
    if (library == handle) return library;
  return nullptr;
}

}  // namespace

LibraryHandle LoadLibraryAt(const char* path) {
  if (!path) return nullptr;
  if (InMemoryLibrary* library = FindByPath(path)) {
    library->loadCount++;
    return library;
  }
  return SystemLoadLibrary(path);
}

void* GetLibraryExport(LibraryHandle handle, const char* name) {
  if (!handle || !name) return nullptr;
  if (InMemoryLibrary* library = FindByHandle(handle)) {
    for (int i = 0; i < library->exportCount; i++)
      if (library->exports[i].name && strcmp(library->exports[i].name, name) == 0)
        return library->exports[i].address;
    return nullptr;
  }
  return SystemGetExport(handle, name);
}

void FreeLibraryHandle(LibraryHandle handle) {
  if (!handle) return;
  if (InMemoryLibrary* library = FindByHandle(handle)) {
    if (library->loadCount > 0) library->loadCount--;
    return;
  }
  SystemFreeLibrary(handle);
}

bool GetLibraryImageRange(LibraryHandle handle, const char** begin, const char** end) {
  *begin = nullptr;
  *end = nullptr;
  if (!handle) return false;
  if (InMemoryLibrary* library = FindByHandle(handle)) {
    if (!library->imageBegin || !library->imageEnd) return false;
    *begin = library->imageBegin;
    *end = library->imageEnd;
    return true;
  }
  return SystemGetImageRange(handle, begin, end);
}

void RegisterInMemoryLibrary(const char* path, const InMemoryExport* exports, int exportCount,
                             const char* imageBegin, const char* imageEnd) {
  InMemoryLibrary* library = FindByPath(path);
  if (!library) {
    library = new InMemoryLibrary();
    library->path = path;
    library->loadCount = 0;
    Registry().push_back(library);
  }
  library->exports = exports;
  library->exportCount = exportCount;
  library->imageBegin = imageBegin;
  library->imageEnd = imageEnd;
}

void ClearInMemoryLibraries() {
  for (InMemoryLibrary* library : Registry()) delete library;
  Registry().clear();
}

int InMemoryLibraryLoadCount(const char* path) {
  InMemoryLibrary* library = FindByPath(path);
  return library ? library->loadCount : -1;
}
