# shellcheck shell=bash
# shellcheck disable=SC2317 # scenarios are called by name
# The end-to-end scenarios both builds share, written over lib/app.sh and a
# driver. Each prints why it failed and returns non-zero; each starts from
# fresh settings. KILL_SOAK_ROUNDS sets the length of the kill soak.

# The first start counts itself, shows the one-time tip, then the window, and
# puts the icon into the tray host.
scenario_first_start() {
    local tip
    app_fresh_settings
    app_start
    tip=$(app_wait_message_box) || { echo "no first-start tip"; return 1; }
    [[ $(app_setting Loads) == 1 ]] || { echo "Loads is '$(app_setting Loads)' while the tip shows"; return 1; }
    app_dismiss "$tip" || { echo "the tip did not close on Return"; return 1; }
    APP_WINDOW=$(app_wait_main_window) || { echo "no 1064x540 window titled Cursovia"; return 1; }
    desktop_wait_tray_icon "$APP_TRAY_CLASS" 10 >/dev/null || { echo "the tray icon was not embedded in trayer"; return 1; }
    [[ $(app_setting Loads) == 1 ]] || { echo "Loads is '$(app_setting Loads)', expected 1"; return 1; }
}

# F6 pressed in another window captures the pointer position; Add and
# closing the window leave exactly that row in "Actions".
scenario_capture_and_add() {
    local target labels expected
    app_start_past_tip || return 1
    app_start_click_target 100 100 300 200 "$DESKTOP_ARTEFACTS/clicks.log"
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer 1700 950 && xdotool key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 ||
        { echo "F6 did not change the X and Y labels"; return 1; }
    desktop_is_active "$target" || { echo "the click target lost the focus"; return 1; }
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    expected=$(app_row 1700 950 2 "No Action")
    app_wait_setting Actions "$expected" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    app_close "$APP_WINDOW" || { echo "the program did not end with status 0 when its window closed"; return 1; }
    [[ $(app_setting Actions) == "$expected" ]] || { echo "after closing, Actions is '$(app_setting Actions)'"; return 1; }
}

events_at_least() { (($(app_clicks "$1" | wc -l) >= $2)); }

# clicks_are KIND LOG X Y: every click in LOG is one of KIND at X Y, whole.
# A single click is a press and a release (two single clicks in quick
# succession make a double click, which is fine); a double click is a press
# and a release, then a second press that the target takes as a double click
# and its release.
clicks_are() {
    local kind=$1 log=$2 x=$3 y=$4 pattern
    case $kind in
        "Single Click") pattern="(down|double) $x $y;up $x $y;" ;;
        "Double Click") pattern="down $x $y;up $x $y;double $x $y;up $x $y;" ;;
    esac
    local events
    events=$(app_clicks "$log" | tr '\n' ';')
    [[ $events =~ ^($pattern)+$ ]] || { echo "not whole ${kind,,}s at $x $y: $events"; return 1; }
}

# run_until_ctrl_s KIND: a row of KIND made in the window clicks a target
# again and again at its position while the window is hidden; Ctrl+S, pressed
# in the target, ends the run, the window comes back and the clicks stop.
run_until_ctrl_s() {
    local kind=$1 option events_wanted log=$DESKTOP_ARTEFACTS/clicks.log x=1300 y=700 cx cy
    case $kind in
        "Single Click") option=("${SINGLE_CLICK_OPTION[@]}") events_wanted=6 ;;
        "Double Click") option=("${DOUBLE_CLICK_OPTION[@]}") events_wanted=8 ;;
    esac
    cx=$((x + 150)) cy=$((y + 100))
    app_start_past_tip || return 1
    : >"$log"
    app_start_click_target "$x" "$y" 300 200 "$log"
    local target labels tip lines_at_stop
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }

    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer "$cx" "$cy" && xdotool key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 was not seen"; return 1; }
    app_click "$APP_WINDOW" "${option[@]}"
    app_click "$APP_WINDOW" "${WAIT_BOX[@]}"
    # No modifier keys: under load Wine may miss a release and see the digits shifted.
    xdotool key End BackSpace BackSpace BackSpace BackSpace && xdotool type --delay 50 0.25
    app_wait_setting Wait 0.25 5 || { echo "the wait box stored '$(app_setting Wait)'"; return 1; }
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$(app_row "$cx" "$cy" 0.25 "$kind")" 5 ||
        { echo "Add stored '$(app_setting Actions)'"; return 1; }

    app_click "$APP_WINDOW" "${START_BUTTON[@]}"
    # The first run of a first start shows the stop-key tip before it starts.
    tip=$(app_wait_message_box 10) || { echo "no first-run tip"; return 1; }
    app_dismiss "$tip" || { echo "the first-run tip did not close"; return 1; }
    app_wait_hidden "$APP_WINDOW" 5 || { echo "the window did not hide during the run"; return 1; }
    # The run starts after the tray balloon's 5 seconds.
    desktop_wait_until 20 events_at_least "$log" "$events_wanted" ||
        { echo "fewer than $events_wanted button events arrived"; return 1; }
    clicks_are "$kind" "$log" "$cx" "$cy" || return 1

    # Under Wine, keys reach the program's hook only while a Wine window has the focus.
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key ctrl+s
    app_wait_viewable "$APP_WINDOW" 10 || { echo "Ctrl+S did not bring the window back"; return 1; }
    desktop_wait_until 5 desktop_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
    lines_at_stop=$(wc -l <"$log")
    sleep 1
    (($(wc -l <"$log") == lines_at_stop)) || { echo "clicks went on after the run ended"; return 1; }
    clicks_are "$kind" "$log" "$cx" "$cy"
}

# choose_key BOX... KEYS SETTING: a click on the box, the combination pressed, the setting stored.
choose_key() {
    local x=$1 y=$2 keys=$3 stored=$4 setting=$5
    app_click "$APP_WINDOW" "$x" "$y"
    sleep 0.3
    xdotool key "$keys"
    app_wait_setting "$setting" "$stored" 5 || { echo "$setting is '$(app_setting "$setting")' after $keys"; return 1; }
}

# start_key_toggles_run TARGET KEYS: the start/stop key pressed in another
# program's window hides the window (a run), pressed again brings it back.
start_key_toggles_run() {
    local target=$1 keys=$2 tip
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key "$keys"
    if tip=$(app_wait_message_box 3); then app_dismiss "$tip" || { echo "the first-run tip did not close"; return 1; }; fi
    app_wait_hidden "$APP_WINDOW" 10 || { echo "$keys did not start a run"; return 1; }
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key "$keys"
    app_wait_viewable "$APP_WINDOW" 10 || { echo "$keys did not end the run"; return 1; }
}

# The three keys chosen in the Keys frame work from another program's
# window, the start key starts and stops a run, and all survive a restart.
scenario_chosen_keys() {
    local target labels
    app_start_past_tip || return 1
    choose_key "${CAPTURE_KEY_BOX[@]}" ctrl+shift+F9 Ctrl+Shift+F9 "Capture Key" || return 1
    choose_key "${STOP_KEY_BOX[@]}" alt+Pause Alt+Pause "Stop Key" || return 1
    choose_key "${START_KEY_BOX[@]}" ctrl+shift+F11 Ctrl+Shift+F11 "Start Key" || return 1
    app_start_click_target 100 100 300 200 "$DESKTOP_ARTEFACTS/clicks.log"
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer 1700 950 && xdotool key ctrl+shift+F9
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 ||
        { echo "Ctrl+Shift+F9 did not change the X and Y labels"; return 1; }
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$(app_row 1700 950 2 "No Action")" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    start_key_toggles_run "$target" ctrl+shift+F11 || return 1

    app_close "$APP_WINDOW" || { echo "the program did not end with status 0 when its window closed"; return 1; }
    app_start
    APP_WINDOW=$(app_wait_main_window) || { echo "no window after the restart"; return 1; }
    [[ $(app_setting "Start Key") == Ctrl+Shift+F11 ]] || { echo "Start Key is '$(app_setting "Start Key")' after the restart"; return 1; }
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key ctrl+shift+F11
    app_wait_hidden "$APP_WINDOW" 10 || { echo "the start key did not start a run after the restart"; return 1; }
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key alt+Pause
    app_wait_viewable "$APP_WINDOW" 10 || { echo "the chosen stop key did not end the run"; return 1; }
}

# Alt+Down and the context menu's Move Down (Shift+F10, from the keyboard)
# reorder the rows, and the stored list follows each time.
scenario_reorder_rows() {
    local labels a b c
    app_start_past_tip || return 1
    for at in "300 300" "400 400" "500 500"; do
        labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
        # shellcheck disable=SC2086 # two numbers
        desktop_move_pointer $at && xdotool key F6
        app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 was not seen"; return 1; }
        app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
        sleep 0.3
    done
    a=$(app_row 300 300 2 "No Action") b=$(app_row 400 400 2 "No Action") c=$(app_row 500 500 2 "No Action")
    app_wait_setting Actions "$a$b$c" 5 || { echo "three Adds stored '$(app_setting Actions)'"; return 1; }
    app_click "$APP_WINDOW" "${FIRST_ROW[@]}"
    sleep 0.3
    xdotool key alt+Down
    app_wait_setting Actions "$b$a$c" 5 || { echo "after Alt+Down Actions is '$(app_setting Actions)'"; return 1; }
    xdotool key shift+F10
    sleep 0.5
    xdotool key Down Down Return
    app_wait_setting Actions "$b$c$a" 5 || { echo "after Move Down Actions is '$(app_setting Actions)'"; return 1; }
}

scenario_run_and_stop() { run_until_ctrl_s "Single Click"; }
scenario_double_click() { run_until_ctrl_s "Double Click"; }

# Every edit is saved at once: a killed program loses no row.
scenario_kill_after_add() {
    local expected
    expected=$(app_row 0 0 2 "No Action")
    app_start_past_tip || return 1
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$expected" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    app_kill
    app_start
    APP_WINDOW=$(app_wait_main_window) || { echo "no window on the second start"; return 1; }
    [[ $(app_setting Loads) == 2 ]] || { echo "Loads is '$(app_setting Loads)' on the second start"; return 1; }
    desktop_screenshot restarted.png "$APP_WINDOW"
    [[ $(app_setting Actions) == "$expected" ]] || { echo "the restart stored '$(app_setting Actions)'"; return 1; }
    # The row is on screen where row 1 is: a double-click there removes it.
    app_click "$APP_WINDOW" "${FIRST_ROW[@]}" 2
    app_wait_setting Actions "" 5 || { echo "no row 1 to double-click: Actions is '$(app_setting Actions)'"; return 1; }
}

# Rows of the stored list: one record terminator each.
stored_rows() { app_setting Actions | grep -o -F "$APP_RECORD" | wc -l; }
stored_rows_at_least() { (($(stored_rows) >= $1)); }

# KILL_SOAK_ROUNDS rounds of start, Add and kill -9 at a random moment, in
# every fifth round during a run: every start succeeds and keeps every row
# whose Add had returned (its row stored).
scenario_kill_soak() {
    local round i adds confirmed=0 stored
    app_start_past_tip || return 1
    app_kill
    for ((round = 1; round <= KILL_SOAK_ROUNDS; round++)); do
        app_start
        APP_WINDOW=$(app_wait_main_window) || { echo "round $round: no window after a kill"; return 1; }
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
    echo "$KILL_SOAK_ROUNDS rounds, $confirmed rows confirmed, none lost" >&2
}

logon_entry_absent() { ! app_logon_entry >/dev/null; }
logon_entry_is() { [[ $(app_logon_entry) == "$1" ]]; }

# Ticking "Load this software on Windows startup" makes a log-on entry that
# starts the program's own path; clearing it removes the entry.
scenario_logon_entry() {
    local expected
    app_start_past_tip || return 1
    expected=$(app_logon_command)
    app_click "$APP_WINDOW" "${STARTUP_BOX[@]}"
    desktop_wait_until 10 logon_entry_is "$expected" ||
        { echo "the log-on entry is '$(app_logon_entry)', expected '$expected'"; return 1; }
    [[ $(app_setting "Windows Startup") == On ]] || { echo "Windows Startup is '$(app_setting "Windows Startup")'"; return 1; }
    app_click "$APP_WINDOW" "${STARTUP_BOX[@]}"
    desktop_wait_until 10 logon_entry_absent || { echo "the log-on entry stayed after clearing the box"; return 1; }
    [[ $(app_setting "Windows Startup") == Off ]] || { echo "Windows Startup is '$(app_setting "Windows Startup")'"; return 1; }
    app_close "$APP_WINDOW" || { echo "the program did not end with status 0 when its window closed"; return 1; }
}

# A picture of the window for the reviewer.
scenario_screenshot() {
    local size
    app_start_past_tip || return 1
    desktop_screenshot window.png "$APP_WINDOW" || { echo "import failed"; return 1; }
    size=$(identify -format '%wx%h' "$DESKTOP_ARTEFACTS/window.png")
    [[ $size == "${APP_WIDTH}x${APP_HEIGHT}" ]] || { echo "the window's client area is $size"; return 1; }
}
