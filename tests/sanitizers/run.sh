#!/usr/bin/env bash
# Builds the core, the Linux adapters and their unit tests in a build folder
# of their own and runs those tests with ctest (the end-to-end run is left
# out), in one of two ways:
#   asan        with AddressSanitizer and UndefinedBehaviorSanitizer (build/sanitizers);
#               any finding aborts the test that hit it, so it shows as a failed test
#   assertions  as a Debug build (build/assertions): the assertions of the
#               program and of Qt's inline code are on, among them Qt's check
#               that a slot's object has not begun its destruction
# Usage: tests/sanitizers/run.sh [asan|assertions]   (asan by default;
# CXX=clang++ to build with clang instead of gcc; CURSOVIA_BUILD_DIR to move
# the build folders, build/ by default)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
mode=${1:-asan}
# The window tests need no display.
export QT_QPA_PLATFORM=offscreen

case $mode in
asan)
  build=${CURSOVIA_BUILD_DIR:-$root/build}/sanitizers
  flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null || exit 1
  ;;
assertions)
  build=${CURSOVIA_BUILD_DIR:-$root/build}/assertions
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
  ;;
*)
  echo "usage: $0 [asan|assertions]" >&2
  exit 2
  ;;
esac
cmake --build "$build" -j 2 || exit 1

# detect_leaks: a leak fails the test too (Qt's libraries are not
# instrumented, and on the offscreen platform they leave no leak to report;
# lsan.supp names the one the X11 adapter tests meet in libdbus);
# halt_on_error keeps the first report readable.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j 2 -LE e2e
