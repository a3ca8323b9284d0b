#pragma once
// Times are whole seconds since 1970 in a 64-bit time_t in every build, so
// that file dates after 2038 and before 1970 reach images, floppy
// directories and file stamps as they are. mingw-w64's 32-bit runtime gives a
// 32-bit time_t unless __MINGW_USE_VC2005_COMPAT is defined (the build
// defines it); it then calls msvcrt's _time64 family, which every Windows
// the program starts on has. Every file that handles times includes this
// header in place of <ctime>.
#include <ctime>

static_assert(sizeof(time_t) == 8, "time_t must be 64 bits (define __MINGW_USE_VC2005_COMPAT)");
