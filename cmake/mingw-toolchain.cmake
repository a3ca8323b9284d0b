# Cross build of the Windows program with mingw-w64 (posix thread model,
# which GoogleTest needs for std::mutex). The per-architecture toolchain
# files set TW_MINGW_ARCH (i686 or x86_64) and include this one.
set(TW_MINGW_TRIPLET ${TW_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TW_MINGW_ARCH})
set(CMAKE_C_COMPILER ${TW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TW_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${TW_MINGW_TRIPLET}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${TW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
