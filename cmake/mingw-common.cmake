# Shared by the MinGW-w64 toolchain files, which set _mingw_triplet and the processor.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# ctest runs the Windows test executables under Wine, on a headless X server.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
