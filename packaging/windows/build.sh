#!/usr/bin/env bash
# Packs the Windows release from a MinGW-w64 cross build:
#
#   packaging/windows/build.sh WIN32_BUILD_DIR DIST_DIR
#
# writes DIST_DIR/Cursovia-<version>-win64.zip (Cursovia.exe, README.txt,
# LICENSE.txt) and DIST_DIR/Cursovia-<version>-setup.exe, the NSIS installer.
# The version is the project's, as CMake configured the build. Needs makensis
# (Debian package nsis) and zip.
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 WIN32_BUILD_DIR DIST_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
exe=$build/src/platform/win32/Cursovia.exe
if [[ ! -f $exe ]]; then
    echo "$exe is missing: cross-build $build first (cmake/mingw-w64-x86_64.cmake)" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [[ ! $version =~ ^[0-9]+(\.[0-9]+){0,3}$ ]]; then
    echo "no project version in $build/CMakeCache.txt" >&2
    exit 1
fi
# Windows' version resources take four numbers.
version_quad=$version
while [[ $version_quad =~ ^[0-9]+(\.[0-9]+){0,2}$ ]]; do version_quad+=.0; done

mkdir -p "$2"
dist=$(cd "$2" && pwd)
stage=$(mktemp -d "${TMPDIR:-/tmp}/cursovia-win-stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# Notepad before Windows 10 1809 shows LF-only text as one long line.
to_crlf() { sed 's/\r*$/\r/' "$@"; }
# The build may carry debug information (RelWithDebInfo); users get the program without it.
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
"${strip:-x86_64-w64-mingw32-strip}" -o "$stage/Cursovia.exe" "$exe"
sed "s/@VERSION@/$version/g" "$here/README.txt" | to_crlf >"$stage/README.txt"
to_crlf "$root/LICENSE" >"$stage/LICENSE.txt"

zip_file=$dist/Cursovia-$version-win64.zip
rm -f "$zip_file" # zip would add to an old archive
(cd "$stage" && zip -q -X "$zip_file" Cursovia.exe README.txt LICENSE.txt)

setup_file=$dist/Cursovia-$version-setup.exe
makensis -V2 -NOCD \
    "-DVERSION=$version" "-DVERSION_QUAD=$version_quad" "-DSTAGE_DIR=$stage" \
    "-DICON=$root/src/platform/win32/resources/Cursovia.ico" "-DOUT_FILE=$setup_file" \
    "$here/Cursovia.nsi"

ls -l "$zip_file" "$setup_file"
