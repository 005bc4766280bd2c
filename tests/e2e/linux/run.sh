#!/usr/bin/env bash
# Cursovia's Linux end-to-end tests: the real binary on a private Xvfb
# desktop (openbox, trayer), driven from outside with xdotool, each scenario
# with a fresh HOME.
#
#   tests/e2e/linux/run.sh PATH/TO/cursovia PATH/TO/click_target
#
# click_target's folder must also hold the other tools of tests/e2e/tools.
# Logs and screenshots go to $E2E_ARTIFACTS (default build/e2e-artifacts),
# one folder per scenario; E2E_ONLY="name ..." runs only the scenarios named
# (scenario_NAME below). The last line is "N passed, M failed"; the exit
# status is non-zero when anything failed.
set -u

if (($# != 2)) || [[ ! -x $1 || ! -x $2 ]]; then
    echo "usage: $0 PATH/TO/cursovia PATH/TO/click_target" >&2
    exit 2
fi
CURSOVIA=$(realpath "$1")
CLICK_TARGET=$(realpath "$2")
E2E_TOOLS_DIR=$(dirname "$CLICK_TARGET")
export E2E_TOOLS_DIR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$here/../../.." && pwd)
artefacts=${E2E_ARTIFACTS:-$repo_root/build/e2e-artifacts}
mkdir -p "$artefacts"
artefacts=$(cd "$artefacts" && pwd)

# shellcheck source=desktop.sh
source "$here/desktop.sh"
# shellcheck source=app.sh
source "$here/app.sh"

# Client coordinates in the main window, from the control table.
ADD_BUTTON=(659 318)          # PushButton1, "Add Action To End Of List"
START_BUTTON=(262 361)        # PushButton5, the start/stop button
SINGLE_CLICK_OPTION=(350 65)  # Option2, "Single Click"
WAIT_BOX=(86 148)             # Text1
POSITION_LABELS=(104 54 96 44) # lblXPosition and lblYPosition: x y w h
FIRST_ROW=(588 35)            # ListView1 at 528,8: below the header, inside row 1

FIELD='||MySeparator12||'
RECORD='||MySeparator23||'
row_value() { printf '%s%s%s%s%s%s%s%s' "$1" "$FIELD" "$2" "$FIELD" "$3" "$FIELD" "$4" "$RECORD"; }

# --- Scenarios: each prints why it failed and returns non-zero --------------

# The first start counts itself, shows the one-time tip, then the window, and
# puts the icon into the tray host.
scenario_first_start() {
    local tip
    desktop_new_home
    app_start
    tip=$(app_wait_message_box 10) || { echo "no first-start tip"; return 1; }
    [[ $(app_setting Loads) == 1 ]] || { echo "Loads is '$(app_setting Loads)' while the tip shows"; return 1; }
    app_dismiss "$tip" || { echo "the tip did not close on Return"; return 1; }
    APP_WINDOW=$(app_wait_main_window 10) || { echo "no 1064x412 window titled Cursovia"; return 1; }
    desktop_wait_tray_icon cursovia 10 >/dev/null || { echo "the tray icon was not embedded in trayer"; return 1; }
    [[ $(app_setting Loads) == 1 ]] || { echo "Loads is '$(app_setting Loads)', expected 1"; return 1; }
}

# F6 pressed in another window captures the pointer position; Add and
# closing the window leave exactly that row in "Actions".
scenario_capture_and_add() {
    local target labels
    app_start_past_tip || return 1
    desktop_spawn click_target "$CLICK_TARGET" 100 100 300 200 "$DESKTOP_ARTEFACTS/clicks.log"
    target=$(desktop_wait_window "Cursovia Click Target" 10) || { echo "click target did not appear"; return 1; }
    xdotool windowactivate --sync "$target" || { echo "could not bring the click target to the front"; return 1; }
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    xdotool mousemove --sync 1700 950 key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 ||
        { echo "F6 did not change the X and Y labels"; return 1; }
    [[ $(xdotool getactivewindow) == "$target" ]] || { echo "the click target lost the focus"; return 1; }
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    local expected
    expected=$(row_value 1700 950 2 "No Action")
    app_wait_setting Actions "$expected" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    app_close "$APP_WINDOW" || { echo "the program did not end when its window closed"; return 1; }
    [[ $(app_setting Actions) == "$expected" ]] || { echo "after closing, Actions is '$(app_setting Actions)'"; return 1; }
}

window_is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
clicks_at_least() { (($(grep -c '^press 1 ' "$1" 2>/dev/null) >= $2)); }

# A "Single Click" row clicks the target again and again at its position;
# Ctrl+S from outside ends the run and the window comes back.
scenario_run_and_stop() {
    local log=$DESKTOP_ARTEFACTS/clicks.log tip x=1300 y=700 cx cy
    cx=$((x + 150)) cy=$((y + 100))
    app_start_past_tip || return 1
    : >"$log"
    desktop_spawn click_target "$CLICK_TARGET" "$x" "$y" 300 200 "$log"
    desktop_wait_window "Cursovia Click Target" 10 >/dev/null || { echo "click target did not appear"; return 1; }

    local labels
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    xdotool mousemove --sync "$cx" "$cy" key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 was not seen"; return 1; }
    app_click "$APP_WINDOW" "${SINGLE_CLICK_OPTION[@]}"
    app_click "$APP_WINDOW" "${WAIT_BOX[@]}"
    xdotool key ctrl+a type 0.25
    app_wait_setting Wait 0.25 5 || { echo "the wait box stored '$(app_setting Wait)'"; return 1; }
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$(row_value "$cx" "$cy" 0.25 "Single Click")" 5 ||
        { echo "Add stored '$(app_setting Actions)'"; return 1; }

    app_click "$APP_WINDOW" "${START_BUTTON[@]}"
    # The first run of a first start shows the stop-key tip before it starts.
    tip=$(app_wait_message_box 10) || { echo "no first-run tip"; return 1; }
    app_dismiss "$tip" || { echo "the first-run tip did not close"; return 1; }
    app_wait_hidden "$APP_WINDOW" 5 || { echo "the window did not hide during the run"; return 1; }
    # The run starts after the tray balloon's 5 seconds.
    desktop_wait_until 15 clicks_at_least "$log" 3 || { echo "fewer than 3 clicks arrived"; return 1; }
    xdotool key ctrl+s
    app_wait_viewable "$APP_WINDOW" 5 || { echo "Ctrl+S did not bring the window back"; return 1; }
    desktop_wait_until 5 window_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }

    local stray
    stray=$(grep -v -x -e "press 1 $cx $cy" -e "release 1 $cx $cy" "$log")
    [[ -z $stray ]] || { echo "clicks elsewhere: ${stray//$'\n'/; }"; return 1; }
    (($(grep -c '^press' "$log") == $(grep -c '^release' "$log"))) || { echo "presses and releases differ"; return 1; }
}

# Minimising hides the window in the tray; a click on the icon brings it back.
scenario_tray_restore() {
    local icon
    app_start_past_tip || return 1
    icon=$(desktop_wait_tray_icon cursovia 10) || { echo "no tray icon"; return 1; }
    xdotool windowminimize "$APP_WINDOW"
    app_wait_hidden "$APP_WINDOW" 5 || { echo "minimising did not hide the window"; return 1; }
    app__main_window >/dev/null && { echo "the window is still on the screen"; return 1; }
    desktop_click_window_centre "$icon" 1
    app_wait_viewable "$APP_WINDOW" 5 || { echo "a click on the tray icon did not bring the window back"; return 1; }
    desktop_wait_until 5 window_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
}

# Every edit is saved at once: a killed program loses no row.
scenario_kill_after_add() {
    local expected
    expected=$(row_value 0 0 2 "No Action")
    app_start_past_tip || return 1
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$expected" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    app_kill
    app_start
    APP_WINDOW=$(app_wait_main_window 10) || { echo "no window on the second start"; return 1; }
    [[ $(app_setting Loads) == 2 ]] || { echo "Loads is '$(app_setting Loads)' on the second start"; return 1; }
    desktop_screenshot restarted.png "$APP_WINDOW"
    [[ $(app_setting Actions) == "$expected" ]] || { echo "the restart stored '$(app_setting Actions)'"; return 1; }
    # The row is on screen where row 1 is: a double-click there removes it.
    app_click "$APP_WINDOW" "${FIRST_ROW[@]}" 2
    app_wait_setting Actions "" 5 || { echo "no row 1 to double-click: Actions is '$(app_setting Actions)'"; return 1; }
}

# Rows of the stored list: one record terminator each.
stored_rows() { app_setting Actions | grep -o -F "$RECORD" | wc -l; }
stored_rows_at_least() { (($(stored_rows) >= $1)); }

# Thirty rounds of start, Add and kill -9 at a random moment, in every fifth
# round during a run: every start succeeds and keeps every row whose Add had
# returned (its row stored).
scenario_kill_soak() {
    local round i adds confirmed=0 stored
    app_start_past_tip || return 1
    app_kill
    for ((round = 1; round <= 30; round++)); do
        app_start
        APP_WINDOW=$(app_wait_main_window 10) || { echo "round $round: no window after a kill"; return 1; }
        stored=$(stored_rows)
        ((stored >= confirmed)) || { echo "round $round: $stored rows kept, $confirmed had been added"; return 1; }
        confirmed=$stored
        adds=$((RANDOM % 3 + 1))
        for ((i = 0; i < adds; i++)); do
            app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
            desktop_wait_until 5 stored_rows_at_least $((confirmed + 1)) ||
                { echo "round $round: Add did not store its row"; return 1; }
            confirmed=$((confirmed + 1))
        done
        app_click "$APP_WINDOW" "${ADD_BUTTON[@]}" # one more, killed or not while it runs
        ((round % 5 == 0)) && app_click "$APP_WINDOW" "${START_BUTTON[@]}"
        sleep "0.$((RANDOM % 10))$((RANDOM % 10))"
        app_kill
    done
    echo "30 rounds, $confirmed rows confirmed, none lost" >&2
}

# The program takes no command line: Qt's own options on it are not Qt's, so
# the window is still an X11 window on this display.
scenario_toolkit_options_ignored() {
    local tip
    desktop_new_home
    app_start -platform offscreen
    tip=$(app_wait_message_box 10) || { echo "no first-start tip on the X display with -platform offscreen"; return 1; }
    app_dismiss "$tip" || { echo "the tip did not close"; return 1; }
    app_wait_main_window 10 >/dev/null || { echo "no main window on the X display with -platform offscreen"; return 1; }
}

# A picture of the window for the reviewer.
scenario_screenshot() {
    local size
    app_start_past_tip || return 1
    desktop_screenshot window.png "$APP_WINDOW" || { echo "import failed"; return 1; }
    size=$(identify -format '%wx%h' "$DESKTOP_ARTEFACTS/window.png")
    [[ $size == "${APP_WIDTH}x${APP_HEIGHT}" ]] || { echo "the window's client area is $size"; return 1; }
}

# --- Runner -----------------------------------------------------------------

scenarios=(first_start capture_and_add run_and_stop tray_restore kill_after_add kill_soak toolkit_options_ignored
    screenshot)
if [[ -n ${E2E_ONLY:-} ]]; then read -ra scenarios <<<"$E2E_ONLY"; fi
# Only the folders of this run are replaced: the artefact folder may hold more.
for name in desktop "${scenarios[@]}"; do rm -rf "${artefacts:?}/$name"; done
passed=0
failed=0

desktop_start "$artefacts/desktop" || { echo "0 passed, ${#scenarios[@]} failed (the desktop did not start)"; exit 1; }

for name in "${scenarios[@]}"; do
    DESKTOP_ARTEFACTS=$artefacts/$name
    mkdir -p "$DESKTOP_ARTEFACTS"
    pids_before=${#DESKTOP_PIDS[@]}
    # In this shell, not a subshell: what it spawns must be known to the cleanup.
    if "scenario_$name" >"$DESKTOP_ARTEFACTS/reason.txt" 2>"$DESKTOP_ARTEFACTS/scenario.log"; then
        passed=$((passed + 1))
        echo "PASS $name"
    else
        failed=$((failed + 1))
        echo "FAIL $name: $(tr '\n' ' ' <"$DESKTOP_ARTEFACTS/reason.txt")"
        desktop_screenshot failure.png 2>/dev/null
        xwininfo -root -tree >"$DESKTOP_ARTEFACTS/failure-windows.txt" 2>&1
    fi
    # What the scenario started goes before the next one begins.
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= pids_before; i--)); do
        kill -KILL "${DESKTOP_PIDS[i]}" 2>/dev/null
        wait "${DESKTOP_PIDS[i]}" 2>/dev/null
    done
    DESKTOP_PIDS=("${DESKTOP_PIDS[@]:0:pids_before}")
done

echo "$passed passed, $failed failed"
((failed == 0))
