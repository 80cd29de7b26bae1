# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-x86-64):
# scripts/windows.sh passes it to CMake for freeglut and for Orvena alike.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
# The POSIX-threads variant, whose runtime (winpthread) is linked into the program statically.
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Libraries and headers come from the MinGW tree and from the prefixes handed in through
# CMAKE_PREFIX_PATH (the freeglut built for this), never from the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
