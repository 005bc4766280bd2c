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
    # Dropped below the rows, a dragged row goes to the end.
    app_drag "$APP_WINDOW" "${FIRST_ROW[@]}" "${BELOW_ROWS[@]}"
    app_wait_setting Actions "$c$a$b" 5 || { echo "after a drag Actions is '$(app_setting Actions)'"; return 1; }
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

# One copy per session: a second start brings the running window back out of
# the tray, with the focus, and ends before it touches a setting; the list
# stays as the first copy holds it. A copy that was killed blocks no start.
count_main_windows() { app__titled_windows | awk -v w="$APP_WIDTH" -v h="$APP_HEIGHT" '$4 == w && $5 == h' | wc -l; }
scenario_one_copy() {
    local expected first second status
    expected=$(app_row 0 0 2 "No Action")
    app_start_past_tip || return 1
    first=$APP_PID
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    app_wait_setting Actions "$expected" 5 || { echo "Add stored '$(app_setting Actions)'"; return 1; }
    xdotool windowminimize "$APP_WINDOW"
    app_wait_hidden "$APP_WINDOW" 10 || { echo "minimising did not hide the window in the tray"; return 1; }
    app_start
    second=$APP_PID
    APP_PID=$first
    desktop_wait_until "$APP_START_TIMEOUT" desktop__gone "$second" || { echo "the second copy is still running"; return 1; }
    wait "$second"
    status=$?
    ((status == 0)) || { echo "the second copy ended with status $status"; return 1; }
    app_wait_viewable "$APP_WINDOW" 10 || { echo "the running copy's window did not come back"; return 1; }
    desktop_wait_until 5 desktop_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
    desktop_screenshot second-start.png
    ! desktop__gone "$first" || { echo "the first copy ended"; return 1; }
    (($(count_main_windows) == 1)) || { echo "$(count_main_windows) main windows"; return 1; }
    [[ $(app_setting Actions) == "$expected" ]] || { echo "the list became '$(app_setting Actions)'"; return 1; }
    [[ $(app_setting Loads) == 1 ]] || { echo "the second copy counted a start: Loads is '$(app_setting Loads)'"; return 1; }
    app_kill
    app_start
    APP_WINDOW=$(app_wait_main_window) || { echo "no window on the start after the first copy was killed"; return 1; }
    [[ $(app_setting Actions) == "$expected" ]] || { echo "the restart stored '$(app_setting Actions)'"; return 1; }
}

# --- More click options, run limits and randomness ---------------------------

# app_type_into BOX_X BOX_Y TEXT: replaces the text of a box of the window.
app_type_into() {
    app_click "$APP_WINDOW" "$1" "$2"
    xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace &&
        xdotool type --delay 50 "$3"
}

# add_row_at X Y OPTION_X OPTION_Y: captures X Y with F6, sets the click option and adds the row.
add_row_at() {
    local x=$1 y=$2 rows labels
    rows=$(stored_rows)
    labels=$(app_region_signature "$APP_WINDOW" "${POSITION_LABELS[@]}")
    desktop_move_pointer "$x" "$y" && xdotool key F6
    app_wait_region_change "$APP_WINDOW" "${POSITION_LABELS[@]}" "$labels" 5 || { echo "F6 at $x $y was not seen"; return 1; }
    app_click "$APP_WINDOW" "$3" "$4"
    app_click "$APP_WINDOW" "${ADD_BUTTON[@]}"
    desktop_wait_until 5 stored_rows_at_least $((rows + 1)) || { echo "Add at $x $y stored no row"; return 1; }
}

# The events of LOG joined by ";", without moves to where the pointer already was.
pointer_events_joined() {
    app_pointer_events "$1" | awk '
        { at = $(NF - 1) " " $NF }
        $1 == "drag" && at == last { next }
        { printf "%s;", $0; last = at }'
}

# A click target at 1000,600 (400 x 200) logging to clicks.log, the wait box
# at WAIT seconds, the Repeat option at "Times" with COUNT: ready for rows.
limited_run_setup() {
    local wait=$1 count=$2
    app_start_past_tip || return 1
    CLICK_LOG=$DESKTOP_ARTEFACTS/clicks.log
    : >"$CLICK_LOG"
    app_start_click_target 1000 600 400 200 "$CLICK_LOG"
    CLICK_TARGET_WINDOW=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    app_type_into "${WAIT_BOX[@]}" "$wait"
    app_wait_setting Wait "$wait" 5 || { echo "the wait box stored '$(app_setting Wait)'"; return 1; }
    app_click "$APP_WINDOW" "${REPEAT_TIMES_OPTION[@]}"
    app_wait_setting "Repeat Mode" Times 5 || { echo "Repeat Mode is '$(app_setting "Repeat Mode")'"; return 1; }
    app_type_into "${REPEAT_COUNT_BOX[@]}" "$count"
    # 1 is the count already: nothing changes, nothing is written.
    ((count == 1)) || app_wait_setting "Repeat Count" "$count" 5 || { echo "Repeat Count is '$(app_setting "Repeat Count")'"; return 1; }
}

# Starts the run of a first start: the stop-key tip, then the window hides.
start_first_run() {
    local tip
    app_click "$APP_WINDOW" "${START_BUTTON[@]}"
    tip=$(app_wait_message_box 10) || { echo "no first-run tip"; return 1; }
    app_dismiss "$tip" || { echo "the first-run tip did not close"; return 1; }
    app_wait_hidden "$APP_WINDOW" 5 || { echo "the window did not hide during the run"; return 1; }
}

# One pass over a list of every new kind (and a drag across a row without a
# click) lands on the target as each row says, in order; the run then ends
# by itself and the window comes back.
scenario_every_kind() {
    local events expected
    limited_run_setup 0.3 1 || return 1
    add_row_at 1050 650 "${RIGHT_CLICK_OPTION[@]}" || return 1
    add_row_at 1100 650 "${MIDDLE_CLICK_OPTION[@]}" || return 1
    add_row_at 1150 650 "${RIGHT_DOUBLE_CLICK_OPTION[@]}" || return 1
    add_row_at 1050 720 "${LEFT_DOWN_OPTION[@]}" || return 1
    add_row_at 1150 720 "${NO_CLICK_OPTION[@]}" || return 1
    add_row_at 1250 720 "${LEFT_UP_OPTION[@]}" || return 1
    add_row_at 1300 650 "${SCROLL_UP_OPTION[@]}" || return 1
    add_row_at 1350 650 "${SCROLL_DOWN_OPTION[@]}" || return 1
    [[ $(app_setting Actions) == *"Right Click"*"Middle Click"*"Right Double Click"*"Left Down"*"No Action"*"Left Up"*"Scroll Up"*"Scroll Down"* ]] ||
        { echo "the rows stored are '$(app_setting Actions)'"; return 1; }
    start_first_run || return 1
    app_wait_viewable "$APP_WINDOW" 30 || { echo "the run of one pass did not end by itself"; return 1; }
    expected="down 3 1050 650;up 3 1050 650;down 2 1100 650;up 2 1100 650;"
    expected+="down 3 1150 650;up 3 1150 650;double 3 1150 650;up 3 1150 650;"
    expected+="down 1 1050 720;drag 1150 720;drag 1250 720;up 1 1250 720;"
    expected+="wheel up 1300 650;wheel down 1350 650;"
    events=$(pointer_events_joined "$CLICK_LOG")
    [[ $events == "$expected" ]] || { echo "the target saw '$events', expected '$expected'"; return 1; }
}

# "Times" 3 over two rows: exactly six whole clicks, three passes in order,
# then the window comes back and has the focus without a stop.
scenario_n_times() {
    local events expected="" pass
    limited_run_setup 0.2 3 || return 1
    add_row_at 1100 700 "${SINGLE_CLICK_OPTION[@]}" || return 1
    add_row_at 1200 700 "${SINGLE_CLICK_OPTION[@]}" || return 1
    start_first_run || return 1
    app_wait_viewable "$APP_WINDOW" 30 || { echo "the run of three passes did not end by itself"; return 1; }
    desktop_wait_until 5 desktop_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
    sleep 1
    for pass in 1 2 3; do expected+="down 1100 700;up 1100 700;down 1200 700;up 1200 700;"; done
    events=$(app_clicks "$CLICK_LOG" | tr '\n' ';')
    [[ $events == "$expected" ]] || { echo "the target saw '$events', expected '$expected'"; return 1; }
}

# A stop by Ctrl+S while a Left Down row holds the button releases it.
scenario_stop_while_held() {
    local events
    limited_run_setup 30 1 || return 1
    add_row_at 1200 700 "${LEFT_DOWN_OPTION[@]}" || return 1
    start_first_run || return 1
    desktop_wait_until 20 grep -q . "$CLICK_LOG" || { echo "the Left Down row never pressed"; return 1; }
    desktop_focus "$CLICK_TARGET_WINDOW" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key ctrl+s
    app_wait_viewable "$APP_WINDOW" 10 || { echo "Ctrl+S did not bring the window back"; return 1; }
    sleep 1
    events=$(pointer_events_joined "$CLICK_LOG")
    [[ $events == "down 1 1200 700;up 1 1200 700;" ]] || { echo "the target saw '$events'"; return 1; }
}

# The Repeat and Randomness options are stored as they change and shown
# again after a restart.
scenario_run_options_survive_restart() {
    local band key
    local -A wanted=(["Repeat Mode"]=For ["Repeat Count"]=7 ["Repeat Duration"]=90 ["Position Jitter"]=5 ["Wait Jitter"]=25)
    app_start_past_tip || return 1
    app_click "$APP_WINDOW" "${REPEAT_FOR_OPTION[@]}"
    app_type_into "${REPEAT_COUNT_BOX[@]}" 7
    app_type_into "${REPEAT_DURATION_BOX[@]}" 1:30
    app_type_into "${POSITION_JITTER_BOX[@]}" 5
    app_type_into "${WAIT_JITTER_BOX[@]}" 25
    app_click "$APP_WINDOW" "${WAIT_BOX[@]}" # out of the band: the last box shows its value
    for key in "${!wanted[@]}"; do
        app_wait_setting "$key" "${wanted[$key]}" 5 || { echo "$key is '$(app_setting "$key")', expected ${wanted[$key]}"; return 1; }
    done
    sleep 1
    desktop_screenshot before.png "$APP_WINDOW"
    band=$(app_region_signature "$APP_WINDOW" "${NEW_BAND[@]}")
    app_close "$APP_WINDOW" || { echo "the program did not end with status 0 when its window closed"; return 1; }
    app_start
    APP_WINDOW=$(app_wait_main_window) || { echo "no window on the second start"; return 1; }
    for key in "${!wanted[@]}"; do
        [[ $(app_setting "$key") == "${wanted[$key]}" ]] || { echo "after the restart $key is '$(app_setting "$key")'"; return 1; }
    done
    sleep 1
    desktop_screenshot after.png "$APP_WINDOW"
    [[ $(app_region_signature "$APP_WINDOW" "${NEW_BAND[@]}") == "$band" ]] ||
        { echo "the band shows other options after the restart (before.png, after.png)"; return 1; }
}

# --- Recording ------------------------------------------------------------------

# The stored list, one row a line: "X|Y|WAIT|KIND".
stored_row_lines() { app_setting Actions | sed "s/$APP_RECORD/\n/g; s/$APP_FIELD/|/g" | grep .; }

# action_times EVENTS: the time of each action among a target's events (as
# app_timed_pointer_events prints them), one a line. A press or a wheel notch
# starts an action; the second press of a double click and a release do not,
# but for the release that ends a drag (the Left Up row of its own).
action_times() {
    awk '$1 == "drag" { dragged = 1; next }
         $1 == "down" || $1 == "wheel" || ($1 == "up" && dragged) { print $NF; dragged = 0 }' "$1"
}

# The events of a target's log without the times and without the moves of a
# drag, which a recording does not keep (its Left Up row moves in one step).
button_events_joined() { app_timed_pointer_events "$1" | awk '$1 != "drag" { sub(/ [0-9]+$/, ""); printf "%s;", $0 }'; }

# gaps_within WHAT WAITS_MS TIMES TOLERANCE_MS: each row's wait (one a line)
# against the gap from its action's time to the next one's (one a line).
# The rows are a sequence done three times over: most of the three gaps at
# each place in it must be within the tolerance. Prints one line per gap to
# stderr and to gaps.txt.
gaps_within() {
    local what=$1 waits=$2 times=$3 tolerance=$4
    printf '%s\n' "$times" | awk -v what="$what" -v tol="$tolerance" -v waits="$waits" -v period=$((${#SEQUENCE_ROWS[@]})) '
        BEGIN { split(waits, wait, "\n") }
        NR > 1 { r = NR - 1; at = (r - 1) % period + 1; d = ($1 - t) - wait[r]; n[at]++; within[at] += (d <= tol && d >= -tol)
                 printf "%s row %d: wait %d ms, gap %d ms, off by %+d ms\n", what, r, wait[r], $1 - t, d }
        { t = $1 }
        END { for (at in n) if (within[at] * 2 <= n[at]) bad = 1; exit bad }' | tee -a "$DESKTOP_ARTEFACTS/gaps.txt" >&2
    return "${PIPESTATUS[1]}"
}

# The scripted sequence over a click target at 1000,600 (a click, a right
# click, a double click, a drag and a wheel notch, with pauses between them
# and after them), the rows it should record, and the events the target sees.
SEQUENCE_ROWS=("1050|650|Single Click" "1150|650|Right Click" "1250|650|Double Click" "1050|720|Left Down" "1250|720|Left Up" "1300|650|Scroll Up")
SEQUENCE_EVENTS="down 1 1050 650;up 1 1050 650;down 3 1150 650;up 3 1150 650;"
SEQUENCE_EVENTS+="down 1 1250 650;up 1 1250 650;double 1 1250 650;up 1 1250 650;"
SEQUENCE_EVENTS+="down 1 1050 720;up 1 1250 720;wheel up 1300 650;"
scripted_sequence() {
    desktop_click 1050 650 1 && sleep 0.35 &&
        desktop_click 1150 650 3 && sleep 0.3 &&
        desktop_click 1250 650 1 2 && sleep 0.5 &&
        desktop_drag 1050 720 1250 720 && sleep 0.25 &&
        desktop_click 1300 650 4 && sleep 0.3
}

# The scripted sequence, done three times while Record is on and ended by
# the stop key, becomes its rows three times over, where it happened, each
# waiting as long as the target saw until the next action. One pass over them
# replays the same events on the target in the same order, the gaps between
# them within 5 ms of the recorded waits.
#
# The target's times are the system's own (the X server's, or Wine's message
# times), in whole ms, as the recorded waits are. A recorded wait is measured
# by the program on its own clock as each event reaches it, so it differs from
# the target's gap by both ends' rounding (up to 2 ms) and by how much later
# one event reached the program than the other (bench/results.md: 0.5 ms at
# the median, about 1.5 ms at p99 of a quiet recording, on both builds):
# 5 ms, as for the replay. A replayed gap is the row's wait plus the next
# row's move and click (1 to 2 ms here).
# On this machine of two cores shared with other builds, a gap now and then
# grows by the time slice another process held a core (up to 12 ms seen in
# a replay with two builds running, 6 ms in a recording under Wine); that
# strikes one place in one of the three times, a fault of the program all
# three, so each place in the sequence must be within 5 ms at least twice.
# With both cores kept busy throughout, Wine, which passes each event through
# the target's process and the wineserver before the hook sees it, delivers
# them up to 11 ms late often enough to fail this.
RECORD_TOLERANCE_MS=5
scenario_record_and_replay() {
    local log=$DESKTOP_ARTEFACTS/clicks.log recorded=$DESKTOP_ARTEFACTS/recorded.log
    local replayed=$DESKTOP_ARTEFACTS/replayed.log target rows expected="" stored_wanted="" events lines waits round
    app_start_past_tip || return 1
    : >"$log"
    app_start_click_target 1000 600 400 200 "$log"
    target=$(desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT") || { echo "click target did not appear"; return 1; }
    app_click "$APP_WINDOW" "${REPEAT_TIMES_OPTION[@]}"
    app_wait_setting "Repeat Mode" Times 5 || { echo "Repeat Mode is '$(app_setting "Repeat Mode")'"; return 1; }

    app_click "$APP_WINDOW" "${RECORD_BUTTON[@]}"
    app_wait_hidden "$APP_WINDOW" 5 || { echo "Record did not hide the window"; return 1; }
    for round in 1 2 3; do
        scripted_sequence || { echo "xdotool failed"; return 1; }
        expected+=$SEQUENCE_EVENTS
        stored_wanted+=$(printf '%s;' "${SEQUENCE_ROWS[@]}")
    done
    # Under Wine, keys reach the program's hook only while a Wine window has the focus.
    desktop_focus "$target" || { echo "could not bring the click target to the front"; return 1; }
    xdotool key ctrl+s
    app_wait_viewable "$APP_WINDOW" 10 || { echo "the stop key did not end the recording"; return 1; }
    cp "$log" "$recorded"
    desktop_screenshot recorded.png "$APP_WINDOW"
    lines=$(wc -l <"$log")

    events=$(button_events_joined "$recorded")
    [[ $events == "$expected" ]] || { echo "the scripted sequence reached the target as '$events'"; return 1; }
    desktop_wait_until 5 stored_rows_at_least 18 || { echo "the recording stored '$(app_setting Actions)'"; return 1; }
    rows=$(stored_row_lines | cut -d'|' -f1,2,4 | tr '\n' ';')
    [[ $rows == "$stored_wanted" ]] || { echo "the recording stored the rows '$rows', expected '$stored_wanted'"; return 1; }
    waits=$(stored_row_lines | awk -F'|' '{ printf "%.0f\n", $3 * 1000 }')
    gaps_within recorded "$waits" "$(action_times <(app_timed_pointer_events "$recorded"))" "$RECORD_TOLERANCE_MS" ||
        { echo "recorded waits are not within $RECORD_TOLERANCE_MS ms of the target's gaps: $(paste -sd' ' "$DESKTOP_ARTEFACTS/gaps.txt")"; return 1; }
    # The last row waits from the wheel notch until the stop key, after at least the pause.
    (($(tail -n 1 <<<"$waits") >= 300)) || { echo "the last row waits $(tail -n 1 <<<"$waits") ms, less than the pause before the stop key"; return 1; }

    start_first_run || return 1
    app_wait_viewable "$APP_WINDOW" 40 || { echo "the run of one pass did not end by itself"; return 1; }
    tail -n +$((lines + 1)) "$log" >"$replayed"
    events=$(button_events_joined "$replayed")
    [[ $events == "$expected" ]] || { echo "the replay reached the target as '$events', the recording as '$expected'"; return 1; }
    gaps_within replayed "$waits" "$(action_times <(app_timed_pointer_events "$replayed"))" 5 ||
        { echo "replayed gaps are not within 5 ms of the recorded waits: $(grep replayed "$DESKTOP_ARTEFACTS/gaps.txt" | paste -sd' ')"; return 1; }
}
