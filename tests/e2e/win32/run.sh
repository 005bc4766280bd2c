#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# shellcheck disable=SC2317,SC2119 # scenarios are called by name; optional arguments left out
# The Windows build's tests, under Wine: the core's unit tests and the Win32
# adapter's tests cross-built for Windows, then Cursovia.exe driven with
# xdotool on a private X desktop with a fresh Wine prefix. The scenarios both
# builds share are in tests/e2e/lib/scenarios.sh.
#
#   tests/e2e/win32/run.sh BUILD_DIR
#
# BUILD_DIR is a MinGW-w64 cross build (cmake/mingw-w64-x86_64.cmake).
# Logs, click logs and screenshots go to $E2E_ARTEFACTS (default
# BUILD_DIR/e2e-artefacts), one folder per scenario; E2E_ONLY="name ..." runs
# only the scenarios named. The last line is "N passed, M failed"; the exit
# status is non-zero when anything failed.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=$here/../lib
# shellcheck source=wine.sh
source "$here/wine.sh"
# shellcheck source=../lib/app.sh
source "$lib/app.sh"
# shellcheck source=driver.sh
source "$here/driver.sh"
# shellcheck source=../lib/scenarios.sh
source "$lib/scenarios.sh"
# shellcheck source=../lib/runner.sh
source "$lib/runner.sh"

if (($# != 1)) || [[ ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
# Links resolved: the program reports the path it was started by, and the
# tests compare it with w32_winpath, which resolves links.
build=$(cd "$1" && pwd -P)
CURSOVIA_EXE=$build/src/platform/win32/Cursovia.exe
CLICK_TARGET_EXE=$build/tests/e2e/tools/win32/click_target.exe
E2E_ROOT=${E2E_ARTEFACTS:-$build/e2e-artefacts}
rm -rf "$E2E_ROOT"
mkdir -p "$E2E_ROOT"

# Wine starts a program several times slower than Linux: twenty rounds keep
# the soak to a minute or two.
KILL_SOAK_ROUNDS=20

# A GoogleTest program cross-built for Windows, run whole under Wine.
scenario_unit_tests() {
    local exe=$build/$1 name
    name=$(basename "$exe" .exe)
    [[ -f $exe ]] || { echo "$exe is missing: configure the build with -DCURSOVIA_BUILD_TESTS=ON"; return 1; }
    timeout 300 wine "$exe" --gtest_brief=1 --gtest_output="xml:$(w32_winpath "$DESKTOP_ARTEFACTS/$name.xml")" \
        >"$DESKTOP_ARTEFACTS/$name.log" 2>&1 || { tail -n 30 "$DESKTOP_ARTEFACTS/$name.log"; return 1; }
}
scenario_core_unit_tests() { scenario_unit_tests tests/cursovia_unit_tests.exe; }
scenario_win32_adapter_tests() { scenario_unit_tests tests/win32/cursovia_win32_tests.exe; }

scenarios=(core_unit_tests win32_adapter_tests first_start capture_and_add chosen_keys run_and_stop double_click
    kill_after_add kill_soak logon_entry screenshot)
if [[ -n ${E2E_ONLY:-} ]]; then read -ra scenarios <<<"$E2E_ONLY"; fi

for exe in "$CURSOVIA_EXE" "$CLICK_TARGET_EXE"; do
    [[ -f $exe ]] || { echo "missing $exe: build BUILD_DIR first"; echo "0 passed, 1 failed"; exit 1; }
done

started=$SECONDS
desktop_start "$E2E_ROOT/desktop" || { echo "0 passed, ${#scenarios[@]} failed (the desktop did not start)"; exit 1; }
w32_make_prefix || { echo "0 passed, ${#scenarios[@]} failed (no Wine prefix)"; exit 1; }
echo "desktop and prefix ready in $((SECONDS - started)) s; artefacts in $E2E_ROOT"
for name in "${scenarios[@]}"; do e2e_run "$name"; done
echo "took $((SECONDS - started)) s"
e2e_finish
