#pragma once
// Windows file times count 100 ns units from 1601-01-01 UTC; the program's
// times are seconds from 1970 (platform/time_seconds.h).
#include <cstdint>

const int64_t kSecondsFrom1601To1970 = 11644473600LL;
const int64_t kFileTicksPerSecond = 10000000LL;

inline int64_t SecondsOfFileTicks(uint64_t ticks) {
  return (int64_t)(ticks / (uint64_t)kFileTicksPerSecond) - kSecondsFrom1601To1970;
}

// False for a moment before 1601 or beyond what 64 bits of ticks hold.
inline bool FileTicksOfSeconds(int64_t seconds, uint64_t* ticks) {
  if (seconds < -kSecondsFrom1601To1970 || seconds > INT64_MAX / kFileTicksPerSecond - kSecondsFrom1601To1970)
    return false;
  *ticks = (uint64_t)((seconds + kSecondsFrom1601To1970) * kFileTicksPerSecond);
  return true;
}
