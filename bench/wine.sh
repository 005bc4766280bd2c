#!/usr/bin/env bash
# The Windows build's figures, measured under Wine: wait_bench.exe, the
# same wait benchmark on the Win32 MessageLoop, and Cursovia.exe recording
# synthetic clicks over click_target.exe, on a private desktop with a fresh
# Wine prefix (tests/e2e/win32/wine.sh).
#
#   CLICK_GAPS=PATH bench/wine.sh BUILD_DIR RAW_FILE
#
# BUILD_DIR is a MinGW-w64 cross build with -DCURSOVIA_BENCH=ON; CLICK_GAPS
# the Linux build's bench/tools/click_gaps, which clicks through the X
# server as a user would. Appends "wine.KEY VALUE" and "info TEXT" lines to
# RAW_FILE; BENCH_ROUNDS (default 3) rounds of each.
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
CURSOVIA_EXE=$build/src/platform/win32/Cursovia.exe
CLICK_TARGET_EXE=$build/tests/e2e/tools/win32/click_target.exe
for program in "$WAIT_BENCH" "$CURSOVIA_EXE" "$CLICK_TARGET_EXE"; do
    [[ -f $program ]] || { echo "missing $program: build first" >&2; exit 1; }
done
[[ -x ${CLICK_GAPS:-} ]] || { echo "CLICK_GAPS must name the Linux build's click_gaps" >&2; exit 2; }

# shellcheck source=../tests/e2e/win32/wine.sh
source "$here/../tests/e2e/win32/wine.sh"
# shellcheck source=../tests/e2e/lib/app.sh
source "$here/../tests/e2e/lib/app.sh"
# shellcheck source=../tests/e2e/win32/driver.sh
source "$here/../tests/e2e/win32/driver.sh"
# shellcheck source=recording.sh
source "$here/recording.sh"

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
figure() { printf 'wine.%s %s\n' "$1" "$2" >>"$RAW"; }
info() { printf 'info Windows build under Wine, %s\n' "$*" >>"$RAW"; }
echo "recorded waits against the real gaps between synthetic clicks under Wine ($ROUNDS recordings of 200 gaps)"
bench_recording "$ROUNDS" figure info || fail "the recording benchmark did not run to the end"
