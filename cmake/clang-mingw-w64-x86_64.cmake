# Cross-build for 64-bit Windows with clang instead of GCC, against the same
# MinGW-w64 headers and libraries (Debian's g++-mingw-w64-x86-64-posix) and
# linked by lld: a second compiler for the Windows sources, whose warnings
# differ from GCC's.
#
#   cmake -S . -B build-win-clang -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64-x86_64.cmake
#
# clang does not find the libstdc++ of Debian's MinGW-w64 GCC on its own (its
# folder is named "12-posix", not a plain version), so it is named here.

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_SYSROOT /usr/${MINGW_TRIPLE})

file(GLOB MINGW_GCC_DIRS /usr/lib/gcc/${MINGW_TRIPLE}/*-posix)
list(SORT MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${MINGW_GCC_DIR}/include/c++ ${MINGW_GCC_DIR}/include/c++/${MINGW_TRIPLE} ${MINGW_GCC_DIR}/include/c++/backward)
# GCC's "-posix" driver links winpthread, which its libstdc++ needs, by itself; clang does not.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -fuse-ld=lld -L${MINGW_GCC_DIR} -lpthread")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -fuse-ld=lld -L${MINGW_GCC_DIR}")
string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " -fuse-ld=lld -L${MINGW_GCC_DIR}")
