// Win32 implementation of SetFileTimes. The time is taken apart as local
// calendar time and turned back into a file time through the local-time
// conversions, then set as creation, last-access and last-write time.
#include "platform/file_times.h"

#include <windows.h>

#include <ctime>

void SetFileTimes(const char* path, int64_t t) {
  if (path == nullptr || path[0] == '\0') return;
  time_t seconds = (time_t)t;
  struct tm* local = localtime(&seconds);
  if (local == nullptr) return;
  SYSTEMTIME calendar;
  calendar.wYear = (WORD)(local->tm_year + 1900);
  calendar.wMonth = (WORD)(local->tm_mon + 1);
  calendar.wDayOfWeek = (WORD)local->tm_wday;
  calendar.wDay = (WORD)local->tm_mday;
  calendar.wHour = (WORD)local->tm_hour;
  calendar.wMinute = (WORD)local->tm_min;
  calendar.wSecond = (WORD)local->tm_sec;
  calendar.wMilliseconds = 0;
  FILETIME localTime, utcTime;
  if (!SystemTimeToFileTime(&calendar, &localTime)) return;
  if (!LocalFileTimeToFileTime(&localTime, &utcTime)) return;
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetFileTime(file, &utcTime, &utcTime, &utcTime);
  CloseHandle(file);
}
