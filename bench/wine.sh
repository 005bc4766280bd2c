#!/usr/bin/env bash
# The Windows build's wait figures, measured under Wine: wait_bench.exe, the
# same benchmark on the Win32 MessageLoop, on a private desktop with a fresh
# Wine prefix (tests/e2e/win32/wine.sh).
#
#   bench/wine.sh BUILD_DIR RAW_FILE
#
# BUILD_DIR is a MinGW-w64 cross build with -DCURSOVIA_BENCH=ON. Appends
# "wine.KEY VALUE" and "info TEXT" lines to RAW_FILE; BENCH_ROUNDS (default
# 3) rounds of each.
set -uo pipefail

if (($# != 2)) || [[ ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR RAW_FILE" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
RAW=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROUNDS=${BENCH_ROUNDS:-3}
WAIT_BENCH=$build/bench/wait_bench.exe
[[ -f $WAIT_BENCH ]] || { echo "missing $WAIT_BENCH: build first" >&2; exit 1; }

# shellcheck source=../tests/e2e/win32/wine.sh
source "$here/../tests/e2e/win32/wine.sh"

fail() {
    echo "bench/wine.sh: $*" >&2
    exit 1
}

# wine_bench ARGS...: runs the benchmark, its lines labelled as measured under Wine.
wine_bench() {
    wine "$WAIT_BENCH" "$@" | tr -d '\r' |
        awk '$1 == "info" { print "info Windows build under Wine, " substr($0, 6); next } { print "wine." $0 }' >>"$RAW"
}

desktop_start "$build/artefacts/wine" >/dev/null || fail "the private desktop did not start"
w32_make_prefix || fail "no Wine prefix"
echo "wait precision on MessageLoop under $(wine --version) ($ROUNDS rounds)"
wine_bench precision "$ROUNDS" || fail "wait_bench.exe precision failed"
echo "processor share while waiting under Wine ($ROUNDS rounds of 5 s, and as long busy-polling)"
wine_bench cpu "$ROUNDS" 5 || fail "wait_bench.exe cpu failed"
