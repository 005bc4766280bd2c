#!/usr/bin/env bash
# Builds every release artefact into dist/ in one command:
#
#   scripts/package.sh [deb] [windows]     (both when none is named)
#
#   deb      cursovia_<version>_amd64.deb, the Debian package (release build in build/package)
#   windows  what packaging/windows/build.sh makes from a release cross-build in
#            build/package-win32 (the installer and the portable zip)
#
# CURSOVIA_BUILD_DIR moves build/, CURSOVIA_DIST_DIR moves dist/. Lists the
# artefacts with their sizes at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CURSOVIA_BUILD_DIR:-$root/build}
dist=${CURSOVIA_DIST_DIR:-$root/dist}
windows_script=$root/packaging/windows/build.sh

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(deb windows)
for target in "${targets[@]}"; do
  case $target in
    deb | windows) ;;
    *) echo "usage: $0 [deb] [windows]" >&2; exit 2 ;;
  esac
done

"$root/scripts/install-deps.sh" package
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
made=()

# A release build with Debian's hardening flags; CPack strips the binary and
# has dpkg-shlibdeps compute the dependencies.
build_deb() {
  local dir=$build/package
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCURSOVIA_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$dir" -j 2
  rm -f "$dir"/*.deb
  (cd "$dir" && cpack -G DEB >/dev/null)
  local deb
  for deb in "$dir"/*.deb; do
    cp "$deb" "$dist/"
    made+=("$dist/$(basename "$deb")")
  done
}

# The Windows program cross-built with mingw-w64 in release mode, then packed
# by the Windows packaging's own script.
build_windows() {
  if [ ! -f "$windows_script" ]; then
    echo "No Windows packaging here ($windows_script): skipping the Windows artefacts." >&2
    return 0
  fi
  local dir=$build/package-win32 before=$dist/.before-windows file
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCURSOVIA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$dir" -j 2
  touch "$before"
  bash "$windows_script" "$dir" "$dist"
  while IFS= read -r file; do made+=("$file"); done < <(find "$dist" -maxdepth 1 -type f -newer "$before" | sort)
  rm -f "$before"
}

for target in "${targets[@]}"; do "build_$target"; done

echo
echo "Artefacts in $dist:"
for file in "${made[@]}"; do
  printf '  %-36s %10s bytes (%s)\n' "$(basename "$file")" "$(stat -c %s "$file")" "$(du -h --apparent-size "$file" | cut -f1)"
done
