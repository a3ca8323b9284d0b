// Win32 implementation of SetFileTimes: t becomes a file time (100 ns units
// from 1601, UTC) directly and is set as creation, last-access and
// last-write time, so the file keeps the very moment for every date a file
// time holds, whatever summer time says now or said then.
#include "platform/file_times.h"

#include <windows.h>

#include "platform/file_ticks.h"

void SetFileTimes(const char* path, int64_t t) {
  if (path == nullptr || path[0] == '\0') return;
  uint64_t ticks;
  if (!FileTicksOfSeconds(t, &ticks)) return;
  FILETIME when;
  when.dwLowDateTime = (DWORD)ticks;
  when.dwHighDateTime = (DWORD)(ticks >> 32);
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetFileTime(file, &when, &when, &when);
  CloseHandle(file);
}
