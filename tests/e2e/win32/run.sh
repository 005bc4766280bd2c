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

# A second monitor left of or above the primary one: Xvfb's 1920 x 1080
# screen split into two RandR monitors, which Wine's X11 driver shows through
# Xinerama (through RandR 1.4 it sees Xvfb's one output only). Wine reads the
# layout when it starts, so it is restarted each way.
#   layout: primary monitor, other monitor (xrandr geometries), where a
#   target window goes there (Windows' X Y), and X's pixel for Windows' 0 0
declare -A SECOND_MONITOR=(
    [left]="960/254x1080/286+960+0 960/254x1080/286+0+0 -800 300 960 0"
    [above]="1920/508x780/206+0+300 1920/508x300/79+0+0 700 -250 0 300"
)
restart_wine() {
    wineserver -k && wineserver -w && wineserver -p && wine "$W32_REG_EXE" query 'HKCU\Software' /ve >/dev/null 2>&1
}
# use_second_monitor LAYOUT|off
use_second_monitor() {
    local wine_key='HKCU\Software\Wine\X11 Driver' primary other
    if [[ $1 == off ]]; then
        xrandr --delmonitor primary; xrandr --delmonitor other
        wine "$W32_REG_EXE" delete "$wine_key" /v UseXRandR /f >/dev/null 2>&1
    else
        read -r primary other _ <<<"${SECOND_MONITOR[$1]}"
        xrandr --setmonitor '*primary' "$primary" none && xrandr --setmonitor other "$other" none &&
            w32_reg_add "$wine_key" UseXRandR N || return 1
    fi
    restart_wine
}

# second_monitor_round_trip LAYOUT: F6 on the other monitor captures a
# negative position, Add stores it, the next start loads it, and a run
# clicks the pixel the target window there reports.
second_monitor_round_trip() {
    local log=$DESKTOP_ARTEFACTS/clicks.log wx wy dx dy labels target
    read -r _ _ wx wy dx dy <<<"${SECOND_MONITOR[$1]}"
    app_start_past_tip || return 1
    : >"$log"
    app_start_click_target "$wx" "$wy" 300 200 "$log"
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    wx=$((wx + 150)) wy=$((wy + 100)) # the target's centre
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer $((wx + dx)) $((wy + dy)) && xdotool key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 was not seen"; return 1; }
    app_click "$APP_WINDOW" "${SINGLE_CLICK_OPTION[@]}"
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
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
scenario_second_monitor() {
    local layout status=0
    for layout in left above; do
        use_second_monitor "$layout" || { echo "$layout: no second monitor"; status=1; break; }
        second_monitor_round_trip "$layout" || { status=1; echo "(the other monitor $layout)"; }
        app_kill
        use_second_monitor off
        ((status == 0)) || break
    done
    return "$status"
}

scenarios=(core_unit_tests win32_adapter_tests first_start capture_and_add chosen_keys reorder_rows run_and_stop double_click
    kill_after_add one_copy kill_soak logon_entry screenshot scaled_desktop second_monitor every_kind n_times stop_while_held
    run_options_survive_restart record_and_replay)

for exe in "$CURSOVIA_EXE" "$CLICK_TARGET_EXE"; do
    [[ -f $exe ]] || { echo "missing $exe: build BUILD_DIR first"; echo "0 passed, 1 failed"; exit 1; }
done

e2e_suite w32_make_prefix "${scenarios[@]}"
