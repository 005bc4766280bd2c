#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Checks the Wine end-to-end harness itself: a private desktop and prefix come
# up, clicks from the X side reach a Win32 window at the right screen
# coordinates and a Wine tray icon docked in trayer, and registry values
# written through Wine read back intact.
#
#   tests/e2e/win32/harness_selftest.sh
#
# E2E_TOOLS_DIR  cross-built tests/e2e/tools/win32 (default: built into
#                build/e2e-tools-win32)
# E2E_ARTEFACTS  logs and screenshots (default:
#                build/e2e-artefacts/win32_harness_selftest)
# shellcheck disable=SC2119 # the library's optional arguments are left out on purpose
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)
# shellcheck source-path=SCRIPTDIR source=wine.sh
source "$here/wine.sh"

passed=0
failed=0

record() {
    local name=$1 ok=$2
    if ((ok)); then
        passed=$((passed + 1))
        echo "PASS $name"
    else
        failed=$((failed + 1))
        echo "FAIL $name"
    fi
}

check() {
    local name=$1
    shift
    if "$@"; then record "$name" 1; else record "$name" 0; fi
}

build_tools() {
    local build=$1
    cmake -S "$repo/tests/e2e/tools/win32" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$build" -j2 >/dev/null
}

log_has_lines() {
    (($(wc -l <"$1") >= $2))
}

# Clicks BUTTON (1 left, 3 right) CLICKS times at X,Y, waits until the log
# has grown by as many lines as expected and compares exactly those lines.
# EXPECTED separates lines with ';'.
clicks_log_as_expected() {
    local log=$1 button=$2 clicks=$3 x=$4 y=$5 expected=$6
    local before want got
    before=$(wc -l <"$log")
    want=$(tr ';' '\n' <<<"$expected")
    desktop_click "$x" "$y" "$button" "$clicks" || return 1
    desktop_wait_until 10 log_has_lines "$log" "$((before + $(wc -l <<<"$want")))" || true
    # Without the time the target stamps on window messages.
    got=$(tail -n +"$((before + 1))" "$log" | tr -d '\r' | cut -d' ' -f1-3)
    if [[ $got != "$want" ]]; then
        printf '  expected:\n%s\n  got:\n%s\n' "$want" "$got" >&2
        return 1
    fi
}

# Click target window: outer rectangle 300,200 600x400, so the points below
# are well inside its client area whatever the frame size.
readonly target_geometry=(300 200 600 400)

# name | button | clicks | screen x | screen y | log lines expected
window_cases=(
    "window: left click|1|1|450|350|WM_LBUTTONDOWN 450 350;WM_LBUTTONUP 450 350"
    "window: double click|1|2|700|500|WM_LBUTTONDOWN 700 500;WM_LBUTTONUP 700 500;WM_LBUTTONDBLCLK 700 500;WM_LBUTTONUP 700 500"
    "window: right click|3|1|320|580|WM_RBUTTONDOWN 320 580;WM_RBUTTONUP 320 580"
)

# name | button | clicks | log lines expected (clicked at the icon's centre)
tray_cases=(
    "tray icon: left click|1|1|WM_LBUTTONDOWN;WM_LBUTTONUP"
    "tray icon: right click|3|1|WM_RBUTTONDOWN;WM_RBUTTONUP"
)

run_window_cases() {
    local log="$DESKTOP_ARTEFACTS/click-target.log"
    : >"$log"
    w32_run "$tools/click_target.exe" "${target_geometry[@]}" "$(w32_winpath "$log")"
    if ! desktop_wait_window "Cursovia Click Target" "$W32_TIMEOUT" >/dev/null; then
        record "window: click target appears" 0
        return
    fi
    desktop_screenshot click-target.png
    local entry name button clicks x y expected
    for entry in "${window_cases[@]}"; do
        IFS='|' read -r name button clicks x y expected <<<"$entry"
        check "$name" clicks_log_as_expected "$log" "$button" "$clicks" "$x" "$y" "$expected"
    done
}

run_tray_cases() {
    local log="$DESKTOP_ARTEFACTS/tray-target.log" icon x y w h
    : >"$log"
    w32_run "$tools/tray_target.exe" "$(w32_winpath "$log")"
    # Wine's tray icons are windows of its explorer.exe. Docking takes about 2 s.
    if ! icon=$(desktop_wait_tray_icon explorer.exe "$W32_TIMEOUT"); then
        record "tray icon: docked in trayer" 0
        return
    fi
    desktop_screenshot tray-target.png
    read -r x y w h < <(desktop_window_box "$icon")
    local entry name button clicks expected
    for entry in "${tray_cases[@]}"; do
        IFS='|' read -r name button clicks expected <<<"$entry"
        check "$name" clicks_log_as_expected "$log" "$button" "$clicks" $((x + w / 2)) $((y + h / 2)) "$expected"
    done
}

readonly reg_key='HKCU\Software\Kelvardo\CursoviaHarness'

# name | value name | REG_SZ data, "\n" standing for a line feed
reg_cases=(
    "registry: plain value|Speed|fast"
    "registry: spaces in name and data|Saved list|move 10 20;  click  left "
    "registry: empty data|Empty|"
    "registry: line feeds in data|Actions|move 10 20\nclick left\n\nwait 500"
)

registry_round_trip() {
    local name=$1 data=$2 got
    w32_reg_add "$reg_key" "$name" "$data" || return 1
    got=$(w32_reg_query "$reg_key" "$name") || return 1
    if [[ $got != "$data" ]]; then
        printf '  expected [%s] got [%s]\n' "$data" "$got" >&2
        return 1
    fi
}

registry_query_fails() {
    ! w32_reg_query "$reg_key" "$1" >/dev/null
}

run_registry_cases() {
    local entry name value data
    for entry in "${reg_cases[@]}"; do
        IFS='|' read -r name value data <<<"$entry"
        data=${data//\\n/$'\n'}
        check "$name" registry_round_trip "$value" "$data"
    done
    check "registry: missing value is an error" registry_query_fails "No such value"
}

main() {
    tools=${E2E_TOOLS_DIR:-}
    if [[ -z $tools ]]; then
        tools=$repo/build/e2e-tools-win32
        build_tools "$tools" || { echo "building the Win32 e2e tools failed" >&2; exit 2; }
    fi
    local artefacts=${E2E_ARTEFACTS:-$repo/build/e2e-artefacts/win32_harness_selftest}
    rm -rf "$artefacts"
    desktop_start "$artefacts" || { echo "0 passed, 1 failed (desktop did not start)"; exit 1; }
    w32_make_prefix || { echo "0 passed, 1 failed (no Wine prefix)"; exit 1; }

    run_window_cases
    run_tray_cases
    run_registry_cases

    echo "$passed passed, $failed failed"
    ((failed == 0))
}

main "$@"
