#include "platform/library_loader_system.h"

#include <windows.h>

LibraryHandle SystemLoadLibrary(const char* path) { return (LibraryHandle)LoadLibraryA(path); }

void* SystemGetExport(LibraryHandle library, const char* name) {
  return (void*)GetProcAddress((HMODULE)library, name);
}

void SystemFreeLibrary(LibraryHandle library) { FreeLibrary((HMODULE)library); }

// A module handle is the address at which the loader mapped the image; its
// PE headers say how many bytes the mapped image spans (SizeOfImage).
bool SystemGetImageRange(LibraryHandle library, const char** begin, const char** end) {
  const char* base = (const char*)library;
  const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)base;
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0) return false;
  const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
  DWORD size = nt->OptionalHeader.SizeOfImage;
  if ((DWORD)dos->e_lfanew >= size) return false;
  *begin = base;
  *end = base + size;
  return true;
}
