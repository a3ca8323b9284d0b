#pragma once
// The one seam through which the program loads shared libraries (the
// language packs). Win32 uses LoadLibraryA, GetProcAddress and FreeLibrary.
// Tests register in-memory libraries: a path with an export table, which the
// loader then answers in place of the system in every build, so the binding
// logic is tested natively and under Wine alike.

typedef void* LibraryHandle;

// Loads the library at path; null when it cannot be loaded. Each successful
// load must be matched by one FreeLibraryHandle to release it.
LibraryHandle LoadLibraryAt(const char* path);

// The address of an export by name, or null when it has none.
void* GetLibraryExport(LibraryHandle library, const char* name);

// Releases one load of the library.
void FreeLibraryHandle(LibraryHandle library);

// The address range [*begin, *end) that the loaded library's image occupies,
// so that pointers handed out by a foreign library can be checked before
// they are followed. False when the range is unknown (then nothing is
// known about the pointers beyond what the caller checks itself).
bool GetLibraryImageRange(LibraryHandle library, const char** begin, const char** end);

// --- in-memory libraries for tests ---------------------------------------

struct InMemoryExport {
  const char* name;
  void* address;  // a function pointer cast to void*
};

// Registers a library answered for path (compared exactly). The exports
// array must live as long as the registration. imageBegin and imageEnd,
// when not null, are reported by GetLibraryImageRange. A later registration
// of the same path replaces the earlier one.
void RegisterInMemoryLibrary(const char* path, const InMemoryExport* exports, int exportCount,
                             const char* imageBegin, const char* imageEnd);

// Forgets every in-memory library.
void ClearInMemoryLibraries();

// Loads minus releases of the in-memory library registered for path; -1
// when none is registered.
int InMemoryLibraryLoadCount(const char* path);
