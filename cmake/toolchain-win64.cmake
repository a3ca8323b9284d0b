# The same sources for x86_64 (build/win64), for machines whose kernel
# cannot execute 32-bit programs.
set(TW_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
