# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread model,
# package g++-mingw-w64-x86-64-posix).
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Executables are linked fully static (libgcc, libstdc++, winpthread), so they
# need no DLL beyond the ones Windows ships. Check with:
#   x86_64-w64-mingw32-objdump -p X.exe | grep 'DLL Name'
# Tests run through Wine via CMAKE_CROSSCOMPILING_EMULATOR (ctest, gtest
# discovery) when wine is installed.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)

# The "-posix" drivers give std::thread/std::mutex; the "-win32" ones do not.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also pulls libwinpthread in statically; the other two keep the GCC
# runtime out of DLLs for shared modules as well.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

find_program(MINGW_WINE_PROGRAM NAMES wine wine64)
if(MINGW_WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MINGW_WINE_PROGRAM})
endif()
