#!/usr/bin/env bash
# Builds everything and runs every test: the core's unit tests, the Linux
# program end to end under Xvfb, and the Windows program (cross-built with
# mingw-w64) with its unit tests and end-to-end tests under Wine; then the
# Debian package, installed and removed.
# The last line says "N passed, M failed"; the exit status is 0 only when all passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CURSOVIA_BUILD_DIR:-$root/build}
artefacts=$build/e2e-artefacts
"$root/scripts/install-deps.sh" test || exit 1

passed=0
failed=0
failures=()
logs=$build/test-logs
mkdir -p "$logs"

# Runs one stage, keeping its output; adds the stage's own "N passed, M failed"
# (or ctest's summary) to the totals. A stage that fails without such a line counts as one failure.
stage() {
  local name=$1
  shift
  echo "=== $name"
  local log=$logs/$name.log
  "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local p=0 f=0 line
  if line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1); [ -n "$line" ]; then
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    p=$(( $(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line") - f ))
  elif line=$(grep -E '^([A-Za-z]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1); [ -n "$line" ]; then
    p=$(sed -E 's/^([A-Za-z]+: )?([0-9]+) passed.*/\2/' <<<"$line")
    f=$(sed -E 's/^([A-Za-z]+: )?[0-9]+ passed, ([0-9]+) failed.*/\2/' <<<"$line")
  fi
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  if [ "$status" -ne 0 ]; then failures+=("$name"); fi
}

linux_build() {
  cmake -S "$root" -B "$build/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$build/linux" -j 2
}

# The Linux end-to-end run is a stage of its own below, counted by scenario.
unit_tests() {
  ctest --test-dir "$build/linux" --output-on-failure -j 2 -LE e2e
}

e2e_linux() {
  E2E_ARTEFACTS=$artefacts/linux "$root/tests/e2e/linux/run.sh" \
    "$build/linux/src/platform/linux/cursovia" "$build/linux/tests/e2e/tools/click_target"
}

e2e_harness() {
  E2E_ARTEFACTS=$artefacts/harness "$root/tests/e2e/linux/harness_selftest.sh"
}

# The Windows program cross-built with mingw-w64, with its unit tests; then
# those tests and the program itself under Wine.
win32_build() {
  cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null &&
    cmake --build "$build/win32" -j 2
}

# The Windows program once more with a second compiler: clang for the same
# MinGW-w64 target, warnings as errors.
win32_clang_build() {
  cmake -S "$root" -B "$build/win32-clang" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-mingw-w64-x86_64.cmake" \
    -DCURSOVIA_BUILD_TESTS=OFF -DCMAKE_C_FLAGS=-Werror -DCMAKE_CXX_FLAGS=-Werror >/dev/null &&
    cmake --build "$build/win32-clang" -j 2 --target Cursovia
}

win32_tests() {
  E2E_ARTEFACTS=$artefacts/win32 "$root/tests/e2e/win32/run.sh" "$build/win32"
}

sanitizers() {
  CURSOVIA_BUILD_DIR=$build "$root/tests/sanitizers/run.sh" asan
}

assertions() {
  CURSOVIA_BUILD_DIR=$build "$root/tests/sanitizers/run.sh" assertions
}

fuzzing() {
  CURSOVIA_BUILD_DIR=$build "$root/tests/fuzz/run.sh" 20
}

# The Windows zip and installer, made from the cross build and tried under Wine.
package_win32() {
  "$root/packaging/windows/build.sh" "$build/win32" "$build/dist" &&
    E2E_ARTEFACTS=$artefacts/package-win32 "$root/tests/package/win32.sh" "$build/win32" "$build/dist"
}

# scripts/run.sh through sudo and as root (it builds the program once more).
run_script() {
  E2E_ARTEFACTS=$artefacts/run-script "$root/tests/package/run_script.sh" "$build/linux/tests/e2e/tools"
}

# The Debian package, built as scripts/package.sh builds it, then installed,
# started as an ordinary user and purged.
version=$(sed -n 's/^project(Cursovia VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
package_deb() {
  CURSOVIA_BUILD_DIR=$build CURSOVIA_DIST_DIR=$build/dist "$root/scripts/package.sh" deb
}

package_linux() {
  E2E_ARTEFACTS=$artefacts/package "$root/tests/package/linux.sh" \
    "$build/dist/cursovia_${version}_amd64.deb" "$build/linux/tests/e2e/tools"
}

stage linux-build linux_build
stage unit-tests unit_tests
stage e2e-harness e2e_harness
stage e2e-linux e2e_linux
stage win32-build win32_build
stage win32-clang-build win32_clang_build
stage win32-tests win32_tests
stage sanitizers sanitizers
stage assertions assertions
stage fuzzing fuzzing
stage package-win32 package_win32
stage run-script run_script
stage package-deb package_deb
stage package-linux package_linux

echo
if [ ${#failures[@]} -gt 0 ]; then echo "Failed stages: ${failures[*]}"; fi
echo "$passed passed, $failed failed"
[ ${#failures[@]} -eq 0 ] && [ "$failed" -eq 0 ]
