#!/usr/bin/env bash
# Builds the Linux program and starts it. Needs an X11 display (DISPLAY set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CURSOVIA_BUILD_DIR:-$root/build}/linux
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURSOVIA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target cursovia
if [ -z "${DISPLAY:-}" ]; then
  echo "Cursovia needs an X11 display: set DISPLAY, or try it without one under Xvfb:" >&2
  echo "  xvfb-run -a $build/src/platform/linux/cursovia" >&2
  exit 1
fi
exec "$build/src/platform/linux/cursovia"
