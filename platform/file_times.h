#pragma once
// Sets the time stamps of an existing file, so that a rebuilt or rewritten
// bitmap keeps the time of the file it was made from.
#include <cstdint>

// Sets the creation, last-access and last-write time of the file to t
// (seconds since 1970). Where the system keeps no creation time only the
// other two are set. Nothing happens when the file cannot be opened.
void SetFileTimes(const char* path, int64_t t);
