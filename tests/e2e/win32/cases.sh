# shellcheck shell=bash
# The end-to-end cases for Cursovia.exe under Wine; sourced by run.sh after
# wine.sh and cursovia.sh. Each case returns 0 when it passes and says why on
# stderr when it does not. They share one prefix and run in the order run.sh
# lists them: the first needs the prefix untouched, the others reset the
# settings they rely on.

# Says what differed; always fails.
mismatch() {
    printf '  %s\n    expected: [%s]\n    actual:   [%s]\n' "$1" "$2" "$3" >&2
    return 1
}

expect_setting() {
    local actual
    actual=$(w32_reg_query "$CURSOVIA_KEY" "$1") || actual='(absent)'
    [[ $actual == "$2" ]] || mismatch "setting \"$1\"" "$2" "$actual"
}

# The first start counts itself in "Loads" before it shows the first-start
# tip; the main window appears once the tip is closed.
case_first_start() {
    cursovia_start
    local box main
    box=$(cursovia_wait_message_box) || return 1
    expect_setting Loads 1 || return 1
    cursovia_focus "$box" || return 1
    xdotool key Return
    main=$(cursovia_wait_main) || return 1
    cursovia_close "$main"
}

# F6 copies the pointer's position (anywhere on the screen) into the labels,
# Add makes a row of them, and closing the window stores the list.
case_capture_add_close() {
    cursovia_reset_settings 1
    cursovia_start
    local main
    main=$(cursovia_wait_main) || return 1
    cursovia_focus "$main" || return 1
    # Off the window, which keeps the keyboard focus: the hook sees F6 all the same.
    w32_move_pointer 1501 703 || return 1
    xdotool key F6
    cursovia_click "$main" PushButton1 || return 1
    cursovia_close "$main" || return 1
    expect_setting Actions "$(cursovia_row 1501 703 2 'No Action')"
}

log_has_lines() {
    (($(wc -l <"$1") >= $2))
}

# Every line a press or release at X Y, presses and releases taking turns.
clicks_alternate_at() {
    local log=$1 x=$2 y=$3 line n=0
    while IFS= read -r line; do
        line=${line%$'\r'}
        if ((n % 2 == 0)); then
            # Two clicks within the double-click time make the second press a double click.
            [[ $line == "WM_LBUTTONDOWN $x $y" || $line == "WM_LBUTTONDBLCLK $x $y" ]] ||
                mismatch "line $((n + 1)) of the click log" "a press at $x $y" "$line" || return 1
        else
            [[ $line == "WM_LBUTTONUP $x $y" ]] || mismatch "line $((n + 1)) of the click log" "WM_LBUTTONUP $x $y" "$line" || return 1
        fi
        n=$((n + 1))
    done <"$log"
}

# A run of one "Single Click" row clicks a Win32 window over and over at the
# row's position, with the main window hidden in the tray; Ctrl+S, pressed in
# that other window, ends the run and brings the main window back.
case_run_clicks_until_ctrl_s() {
    local log="$W32_ARTEFACTS/clicks.log" target main lines_at_stop
    : >"$log"
    # Outer rectangle 1200,600 400x300: the row's point is well inside its client area.
    w32_run "$CLICK_TARGET_EXE" 1200 600 400 300 "$(w32_winpath "$log")"
    local target_pid=$W32_LAST_PID
    target=$(w32_wait_window "Cursovia Click Target") || return 1

    cursovia_reset_settings 1
    w32_reg_add "$CURSOVIA_KEY" Actions "$(cursovia_row 1400 750 0.3 'Single Click')"
    cursovia_start
    main=$(cursovia_wait_main) || return 1
    cursovia_click "$main" PushButton5 || return 1
    w32_wait_until 10 cursovia_main_hidden || { echo "  the window did not hide for the run" >&2; return 1; }
    # The first click waits for the tray balloon, up to 5 s.
    w32_wait_until 20 log_has_lines "$log" 6 || { echo "  fewer than 3 clicks reached the target" >&2; return 1; }
    clicks_alternate_at "$log" 1400 750 || return 1

    # Wine shows its hooks only the keys that reach one of its windows.
    cursovia_focus "$target" || return 1
    xdotool key ctrl+s
    main=$(cursovia_wait_main 10) || { echo "  the run did not end on Ctrl+S" >&2; return 1; }
    lines_at_stop=$(wc -l <"$log")
    sleep 1
    (($(wc -l <"$log") == lines_at_stop)) || { echo "  clicks went on after the run ended" >&2; return 1; }
    clicks_alternate_at "$log" 1400 750 || return 1
    cursovia_close "$main" || return 1
    kill "$target_pid" 2>/dev/null
    w32_wait_exit "$target_pid" 10 >/dev/null 2>&1
    return 0
}

run_value_is() {
    [[ $(w32_reg_query "$CURSOVIA_RUN_KEY" Cursovia.exe) == "$1" ]]
}

run_value_absent() {
    ! w32_reg_query "$CURSOVIA_RUN_KEY" Cursovia.exe >/dev/null
}

# Ticking "Load this software on Windows startup" writes the quoted path of
# the program under the per-user Run key; clearing it removes the value.
case_autostart_run_key() {
    cursovia_reset_settings 1
    cursovia_start
    local main expected actual
    main=$(cursovia_wait_main) || return 1
    expected="\"$(w32_winpath "$CURSOVIA_EXE")\""
    cursovia_click "$main" Check4 || return 1
    if ! w32_wait_until 10 run_value_is "$expected"; then
        actual=$(w32_reg_query "$CURSOVIA_RUN_KEY" Cursovia.exe) || actual='(absent)'
        mismatch "Run value Cursovia.exe" "$expected" "$actual"
        return 1
    fi
    expect_setting "Windows Startup" On || return 1
    cursovia_click "$main" Check4 || return 1
    w32_wait_until 10 run_value_absent || { echo "  the Run value stayed after clearing the box" >&2; return 1; }
    expect_setting "Windows Startup" Off || return 1
    cursovia_close "$main"
}

# A picture of the main window, for people to look at.
case_window_screenshot() {
    cursovia_reset_settings 1
    cursovia_start
    local main file size
    main=$(cursovia_wait_main) || return 1
    file=$(w32_artefact_path cursovia-window.png)
    timeout 30 import -display "$DISPLAY" -window "$main" "$file" || return 1
    size=$(identify -format '%w %h' "$file") || return 1
    [[ $size == "$CURSOVIA_CLIENT_WIDTH $CURSOVIA_CLIENT_HEIGHT" ]] ||
        mismatch "screenshot size" "$CURSOVIA_CLIENT_WIDTH $CURSOVIA_CLIENT_HEIGHT" "$size" || return 1
    cursovia_close "$main"
}

# A GoogleTest program cross-built for Windows, run whole under Wine.
case_unit_tests() {
    local exe=$1 name
    name=$(basename "$exe" .exe)
    if [[ ! -f $exe ]]; then
        echo "  $exe is missing: configure the build with -DCURSOVIA_BUILD_TESTS=ON" >&2
        return 1
    fi
    timeout 300 wine "$exe" --gtest_brief=1 --gtest_output="xml:$(w32_winpath "$W32_ARTEFACTS/$name.xml")" \
        >"$W32_ARTEFACTS/$name.log" 2>&1 || { tail -n 30 "$W32_ARTEFACTS/$name.log" >&2; return 1; }
}
