// POSIX implementation of SetFileTimes: access and modification time; the
// file system keeps no creation time that a program may set.
#include "platform/file_times.h"

#include <sys/time.h>

void SetFileTimes(const char* path, int64_t t) {
  if (path == nullptr || path[0] == '\0') return;
  struct timeval times[2];
  times[0].tv_sec = (time_t)t;
  times[0].tv_usec = 0;
  times[1] = times[0];
  utimes(path, times);
}
