#!/usr/bin/env bash
# Builds the core and its unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own and runs them with
# ctest. Any finding aborts the test that hit it, so it shows as a failed test.
# Usage: tests/sanitizers/run.sh   (CXX=clang++ to build with clang instead of gcc;
# CURSOVIA_BUILD_DIR to move the build folder, build/sanitizers by default)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${CURSOVIA_BUILD_DIR:-$root/build}/sanitizers
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURSOVIA_BUILD_APP=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null || exit 1
cmake --build "$build" -j 2 || exit 1

# detect_leaks: a leak fails the test too; halt_on_error keeps the first report readable.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j 2
