# Cross-compiles for 64-bit Windows with Debian's mingw-w64: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The win32 thread model needs no pthread DLL, and the C and C++ runtimes are linked in, so the programs run
# with nothing but Windows' own DLLs (and the engine's) beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUINTET_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUINTET_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUINTET_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${QUINTET_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUINTET_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No build time in the PE headers: two builds of one commit give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
