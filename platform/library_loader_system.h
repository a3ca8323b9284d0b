#pragma once
// The system's own library loader behind library_loader.h (one
// implementation per platform). Used only by platform/library_loader.cpp.
#include "platform/library_loader.h"

LibraryHandle SystemLoadLibrary(const char* path);
void* SystemGetExport(LibraryHandle library, const char* name);
void SystemFreeLibrary(LibraryHandle library);
bool SystemGetImageRange(LibraryHandle library, const char** begin, const char** end);
