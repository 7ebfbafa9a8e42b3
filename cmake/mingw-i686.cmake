# Cross toolchain: 32-bit Windows (PE32, i386), the shipped program, with MinGW-w64's
# posix-threads compilers.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(_mingw_triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
