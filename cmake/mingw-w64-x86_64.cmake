# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix): the
# "posix" variant, whose threads C++20's <thread> and <mutex> need. Programs built here run on
# Linux under Wine (wine-run.sh), which is how ctest starts the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
