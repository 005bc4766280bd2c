#!/usr/bin/env bash
# Checks the Wine end-to-end harness itself: a private desktop and prefix come
# up, clicks from the X side reach a Win32 window at the right screen
# coordinates, and registry values written through Wine read back intact.
#
#   tests/e2e/win32/harness_selftest.sh [ARTEFACT_DIR]
#
# Uses CLICK_TARGET_EXE if set, otherwise cross-builds the click target first.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)
# shellcheck source=wine.sh
source "$here/wine.sh"

passed=0
failed=0

check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "PASS $name"
    else
        failed=$((failed + 1))
        echo "FAIL $name"
    fi
}

build_click_target() {
    local build="$W32_ARTEFACTS/build-tools"
    cmake -S "$repo/tests/e2e/tools/win32" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$W32_ARTEFACTS/build-tools.log" 2>&1 &&
        cmake --build "$build" -j2 >>"$W32_ARTEFACTS/build-tools.log" 2>&1 &&
        echo "$build/click_target.exe"
}

# Click target window: outer rectangle 300,200 600x400, so the points below
# are well inside its client area whatever the frame size.
readonly target_x=300 target_y=200 target_w=600 target_h=400

# name | xdotool clicks | screen x | screen y | log lines expected, in order
click_cases=(
    "single click|1|450|350|WM_LBUTTONDOWN 450 350;WM_LBUTTONUP 450 350"
    "double click|2|700|500|WM_LBUTTONDOWN 700 500;WM_LBUTTONUP 700 500;WM_LBUTTONDBLCLK 700 500;WM_LBUTTONUP 700 500"
)

log_has_lines() {
    (($(wc -l <"$1") >= $2))
}

# Clicks, then waits until the log has grown by as many lines as expected and
# compares exactly those new lines.
click_lands_as_expected() {
    local log=$1 clicks=$2 x=$3 y=$4 expected=$5
    local before want got
    before=$(wc -l <"$log")
    want=$(tr ';' '\n' <<<"$expected")
    xdotool mousemove --sync "$x" "$y" click --repeat "$clicks" --delay 80 1
    local total=$((before + $(wc -l <<<"$want")))
    w32_wait_until 10 log_has_lines "$log" "$total" || true
    got=$(tail -n +"$((before + 1))" "$log" | tr -d '\r')
    if [[ $got != "$want" ]]; then
        printf '  expected:\n%s\n  got:\n%s\n' "$want" "$got" >&2
        return 1
    fi
}

registry_round_trip() {
    local key='HKCU\Software\Kelvardo\CursoviaHarness' name='Saved list' data='move 10 20;  click  left'
    local got
    w32_reg_add "$key" "$name" "$data" || return 1
    got=$(w32_reg_query "$key" "$name") || return 1
    if [[ $got != "$data" ]]; then
        printf '  expected [%s] got [%s]\n' "$data" "$got" >&2
        return 1
    fi
}

registry_missing_value_fails() {
    ! w32_reg_query 'HKCU\Software\Kelvardo\CursoviaHarness' 'No such value' >/dev/null
}

main() {
    w32_start_desktop "${1:-}" || exit 1
    local exe=${CLICK_TARGET_EXE:-}
    if [[ -z $exe ]]; then
        exe=$(build_click_target) || { echo "cannot build click target; see $W32_ARTEFACTS/build-tools.log"; exit 1; }
    fi
    w32_make_prefix || exit 1

    local log="$W32_ARTEFACTS/clicks.log"
    : >"$log"
    w32_run "$exe" "$target_x" "$target_y" "$target_w" "$target_h" "$(w32_winpath "$log")"
    if ! w32_wait_window "Cursovia Click Target" >/dev/null; then
        failed=$((failed + 1))
        echo "FAIL click target window appears"
    else
        w32_screenshot click-target.png
        local entry name clicks x y expected
        for entry in "${click_cases[@]}"; do
            IFS='|' read -r name clicks x y expected <<<"$entry"
            check "$name" click_lands_as_expected "$log" "$clicks" "$x" "$y" "$expected"
        done
    fi

    check "registry value round trip" registry_round_trip
    check "registry query of a missing value fails" registry_missing_value_fails

    echo "$passed passed, $failed failed"
    ((failed == 0))
}

main "$@"
