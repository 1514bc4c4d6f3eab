# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix-threads variant,
# which gives std::thread and std::mutex), running what is built under wine64:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# `make test-windows` does this, builds the core, vestrelc and the core tests, and runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VESTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VESTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VESTREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VESTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread are linked in, so each .exe runs on its own,
# under wine and on a Windows machine alike, without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests (and the discovery of GoogleTest cases) run the programs through wine64; its own
# prefix lives in the build folder, so a build never touches the user's ~/.wine.
find_program(VESTREL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VESTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VESTREL_WINE})
endif()
