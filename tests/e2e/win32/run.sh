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
e2e_artefacts "$build/e2e-artefacts"

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

# At 144 dpi (Windows' 150 %) the window grows; F6 captures, and a run
# clicks, the physical pixel a target window reports. New processes read the
# prefix's scale when they start.
set_desktop_dpi() { w32_reg_add 'HKCU\Control Panel\Desktop' LogPixels "$1" REG_DWORD; }
scenario_scaled_desktop() {
    set_desktop_dpi 144 || { echo "cannot set LogPixels"; return 1; }
    APP_SCALE=150
    run_until_ctrl_s "Single Click"
    local status=$?
    APP_SCALE=100
    set_desktop_dpi 96
    return "$status"
}

# A second monitor left of the primary one: Xvfb's screen split into two
# RandR monitors, the right one primary, which Wine's X11 driver shows
# through Xinerama (with its RandR 1.4 support, Wine sees the one output
# only). Wine reads the layout when it starts, so it is restarted each way.
# X pixel X is Windows' X - 960.
readonly LEFT_MONITOR_WIDTH=960
restart_wine() {
    wineserver -k && wineserver -w && wineserver -p && wine "$W32_REG_EXE" query 'HKCU\Software' /ve >/dev/null 2>&1
}
use_left_monitor() {
    local wine_key='HKCU\Software\Wine\X11 Driver'
    if [[ $1 == on ]]; then
        xrandr --setmonitor '*right' "$LEFT_MONITOR_WIDTH/254x1080/286+$LEFT_MONITOR_WIDTH+0" none &&
            xrandr --setmonitor left "$LEFT_MONITOR_WIDTH/254x1080/286+0+0" none &&
            w32_reg_add "$wine_key" UseXRandR N
    else
        xrandr --delmonitor right; xrandr --delmonitor left
        wine "$W32_REG_EXE" delete "$wine_key" /v UseXRandR /f >/dev/null 2>&1
    fi
    restart_wine
}

# On the left monitor: F6 captures a negative X, Add stores it, the next
# start loads it, and a run clicks the pixel the target window reports.
left_monitor_round_trip() {
    local log=$DESKTOP_ARTEFACTS/clicks.log wx=-800 wy=300 x y labels target
    x=$((wx + LEFT_MONITOR_WIDTH + 150)) y=$((wy + 100)) # the target's centre, in X pixels
    app_start_past_tip || return 1
    : >"$log"
    app_start_click_target "$wx" "$wy" 300 200 "$log"
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer "$x" "$y" && xdotool key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 was not seen"; return 1; }
    app_click "$APP_WINDOW" "${SINGLE_CLICK_OPTION[@]}"
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    wx=$((wx + 150)) wy=$((wy + 100))
    app_wait_setting Actions "$(app_row "$wx" "$wy" 2 "Single Click")" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    app_close "$APP_WINDOW" || return 1
    app_start
    APP_WINDOW=$(app_wait_main_window) || { echo "no window on the second start"; return 1; }
    # The first-run tip belongs to the first start: this run begins at once.
    app_click "$APP_WINDOW" "${START_BUTTON[@]}"
    desktop_wait_until 20 events_at_least "$log" 2 || { echo "no click arrived"; return 1; }
    clicks_are "Single Click" "$log" "$wx" "$wy" || return 1
    desktop_focus "$target" && xdotool key ctrl+s
    app_wait_viewable "$APP_WINDOW" 10 || { echo "Ctrl+S did not end the run"; return 1; }
}
scenario_left_monitor() {
    use_left_monitor on || { echo "no second monitor"; return 1; }
    left_monitor_round_trip
    local status=$?
    app_kill
    use_left_monitor off
    return "$status"
}

scenarios=(core_unit_tests win32_adapter_tests first_start capture_and_add run_and_stop double_click
    kill_after_add kill_soak logon_entry screenshot scaled_desktop left_monitor)

for exe in "$CURSOVIA_EXE" "$CLICK_TARGET_EXE"; do
    [[ -f $exe ]] || { echo "missing $exe: build BUILD_DIR first"; echo "0 passed, 1 failed"; exit 1; }
done

e2e_suite w32_make_prefix "${scenarios[@]}"
