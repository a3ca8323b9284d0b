# The shipped 32-bit program (build/win32).
set(TW_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
