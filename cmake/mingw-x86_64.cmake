# Cross toolchain: 64-bit Windows (PE32+). Only for running the Windows tests on a
# machine whose kernel runs no 32-bit programs, where Wine can run only 64-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
