#!/usr/bin/env bash
# The Windows build's tests, under Wine: the core's unit tests and the Win32
# adapter's tests cross-built for Windows, then Cursovia.exe driven with xdotool on a private X desktop with a
# fresh Wine prefix.
#
#   tests/e2e/win32/run.sh BUILD_DIR
#
# BUILD_DIR is a MinGW-w64 cross build (cmake/mingw-w64-x86_64.cmake).
# Logs, the click log and screenshots go to $E2E_ARTIFACTS (or
# $E2E_ARTEFACTS, as the other harnesses call it), by default
# BUILD_DIR/e2e-artifacts. The last line is "N passed, M failed"; the exit
# status is non-zero when anything failed.
# shellcheck disable=SC2119 # the library's optional arguments are left out on purpose
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=wine.sh
source "$here/wine.sh"
# shellcheck source-path=SCRIPTDIR source=cursovia.sh
source "$here/cursovia.sh"
# shellcheck source-path=SCRIPTDIR source=cases.sh
source "$here/cases.sh"

if (($# != 1)) || [[ ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
# Links resolved: the program reports the path it was started by, and the
# tests compare it with w32_winpath, which resolves links.
build=$(cd "$1" && pwd -P)
CURSOVIA_EXE=$build/src/platform/win32/Cursovia.exe
CLICK_TARGET_EXE=$build/tests/e2e/tools/win32/click_target.exe
artefacts=${E2E_ARTIFACTS:-${E2E_ARTEFACTS:-$build/e2e-artifacts}}
rm -rf "$artefacts"

passed=0
failed=0

record() {
    if (($2 == 0)); then
        passed=$((passed + 1))
        echo "PASS $1"
    else
        failed=$((failed + 1))
        echo "FAIL $1"
    fi
}

# A case that failed half-way may leave the program running; the next one
# starts from a desktop without it.
end_leftover_program() {
    if [[ -n $CURSOVIA_PID ]] && ! w32_not_running "$CURSOVIA_PID"; then
        kill "$CURSOVIA_PID" 2>/dev/null
        w32_wait_exit "$CURSOVIA_PID" 10 >/dev/null 2>&1
    fi
    CURSOVIA_PID=
}

run_case() {
    local name=$1
    shift
    "$@"
    record "$name" $?
    end_leftover_program
}

finish() {
    echo "$passed passed, $failed failed"
    ((failed == 0))
    exit
}

for exe in "$CURSOVIA_EXE" "$CLICK_TARGET_EXE"; do
    if [[ ! -f $exe ]]; then
        echo "missing $exe: build BUILD_DIR first" >&2
        record "build holds the programs under test" 1
        finish
    fi
done

started=$SECONDS
w32_start_desktop "$artefacts" || { record "private desktop starts" 1; finish; }
w32_make_prefix || { record "fresh Wine prefix" 1; finish; }
echo "desktop and prefix ready in $((SECONDS - started)) s; artefacts in $artefacts"

run_case "core unit tests under Wine" case_unit_tests "$build/tests/cursovia_unit_tests.exe"
run_case "Win32 adapter tests under Wine" case_unit_tests "$build/tests/win32/cursovia_win32_tests.exe"
run_case "first start: window appears, Loads is 1" case_first_start
run_case "F6 fills the labels, Add, close: Actions holds the row" case_capture_add_close
run_case "a run clicks the target window until Ctrl+S" case_run_clicks_until_ctrl_s
run_case "Windows startup box writes and removes the Run value" case_autostart_run_key
run_case "screenshot of the window" case_window_screenshot

echo "took $((SECONDS - started)) s"
finish
