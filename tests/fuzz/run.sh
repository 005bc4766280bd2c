#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of their own and
# runs each for a bounded time on a temporary copy of its seed corpus (the
# corpus in the repository never grows). A crash, a broken property, a leak, a
# time-out or running out of memory fails the target; its input is kept in
# the build folder's fuzz-findings/ for replay: ./fuzz_<target> <input>.
# Usage: tests/fuzz/run.sh [seconds per target, 20 by default]
# The last line reads "N passed, M failed", one per target.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tests/fuzz
build=${CURSOVIA_BUILD_DIR:-$root/build}/fuzz
seconds=${1:-20}
targets=(fuzz_action_file fuzz_actions_value fuzz_conversions)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCURSOVIA_FUZZ=ON -DCURSOVIA_BUILD_TESTS=OFF -DCURSOVIA_BUILD_APP=OFF >/dev/null || exit 1
cmake --build "$build" -j 2 --target "${targets[@]}" || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$build/fuzz-findings
mkdir -p "$findings"
passed=0
failed=0
for target in "${targets[@]}"; do
  cp -r "$here/corpus/$target" "$work/$target"
  dict=()
  [ -f "$here/$target.dict" ] && dict=(-dict="$here/$target.dict")
  log=$work/$target.log
  "$build/tests/fuzz/$target" "$work/$target" "${dict[@]}" \
    -max_total_time="$seconds" -rss_limit_mb=512 -malloc_limit_mb=256 -timeout=5 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" >"$log" 2>&1
  status=$?
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "$target: ${runs:-0} executions, passed"
  else
    failed=$((failed + 1))
    echo "$target: ${runs:-?} executions, FAILED (exit $status); the end of its log:"
    grep -vE '^#[0-9]+' "$log" | tail -n 30 | sed 's/^/  /'
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
