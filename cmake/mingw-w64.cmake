# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, so that
# std::thread and friends work the same as on Linux).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OMBRAZIO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OMBRAZIO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OMBRAZIO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${OMBRAZIO_MINGW}-windres)
# Named here: CMake does not guess the binutils prefix from the "-posix" compiler names.
set(CMAKE_STRIP /usr/bin/${OMBRAZIO_MINGW}-strip)
set(CMAKE_FIND_ROOT_PATH /usr/${OMBRAZIO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
