# shellcheck shell=bash
# Bash helpers for driving Cursovia.exe under Wine; sourced after wine.sh.
#
#   cursovia_start                 # runs $CURSOVIA_EXE, PID in CURSOVIA_PID
#   win=$(cursovia_wait_main)      # the main window, once it shows
#   cursovia_click "$win" PushButton1
#   cursovia_close "$win"          # Alt+F4 and wait for the process to end

readonly CURSOVIA_KEY='HKCU\Software\Kelvardo\Cursovia'
readonly CURSOVIA_RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# How the "Actions" setting separates fields and ends rows.
readonly CURSOVIA_FIELD='||MySeparator12||'
readonly CURSOVIA_ROW='||MySeparator23||'
# The client area at 96 dpi, Wine's default.
readonly CURSOVIA_CLIENT_WIDTH=1064
readonly CURSOVIA_CLIENT_HEIGHT=412

# Points inside controls, in client pixels at 96 dpi (bounds from
# src/base/Controls.cpp).
declare -rA CURSOVIA_CONTROL=(
    [PushButton1]="659 318"   # Add Action To End Of List
    [PushButton5]="262 361"   # Start Running
    [Check4]="60 291"         # Load this software on Windows startup
)

CURSOVIA_PID=

cursovia_start() {
    w32_run "$CURSOVIA_EXE"
    CURSOVIA_PID=$W32_LAST_PID
}

# cursovia_row X Y WAIT KIND
# Prints one row as the "Actions" setting stores it.
cursovia_row() {
    printf '%s%s%s%s%s%s%s%s' "$1" "$CURSOVIA_FIELD" "$2" "$CURSOVIA_FIELD" "$3" "$CURSOVIA_FIELD" "$4" "$CURSOVIA_ROW"
}

# cursovia_reset_settings [LOADS]
# Forgets every setting and the Run value; with LOADS, stores that start count
# (1 or more: no first-start tip).
cursovia_reset_settings() {
    timeout 60 wine "$W32_REG_EXE" delete 'HKCU\Software\Kelvardo' /f >/dev/null 2>&1
    timeout 60 wine "$W32_REG_EXE" delete "$CURSOVIA_RUN_KEY" /v Cursovia.exe /f >/dev/null 2>&1
    if [[ -n ${1:-} ]]; then w32_reg_add "$CURSOVIA_KEY" Loads "$1"; fi
    return 0
}

# cursovia_client_origin WINDOW
# Prints the screen position of the window's client area as "X Y".
cursovia_client_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}

cursovia_client_size() {
    xwininfo -id "$1" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }'
}

# The main window, told from the message boxes that share its title by its size.
# cursovia__find_window main|other: a visible "Cursovia" window whose client
# area is (main) or is not (other) the main window's.
cursovia__find_window() {
    local window is_main
    for window in $(xdotool search --onlyvisible --name '^Cursovia$' 2>/dev/null); do
        is_main=other
        [[ $(cursovia_client_size "$window") == "$CURSOVIA_CLIENT_WIDTH $CURSOVIA_CLIENT_HEIGHT" ]] && is_main=main
        if [[ $is_main == "$1" ]]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

cursovia_find_main() { cursovia__find_window main; }
cursovia_find_message_box() { cursovia__find_window other; }
cursovia_main_hidden() { ! cursovia_find_main >/dev/null; }

# cursovia_wait_main [SECONDS], cursovia_wait_message_box [SECONDS]
cursovia_wait_main() { w32_wait_print "${1:-$W32_TIMEOUT}" "the main window" cursovia_find_main; }
cursovia_wait_message_box() { w32_wait_print "${1:-$W32_TIMEOUT}" "a Cursovia message box" cursovia_find_message_box; }

w32_is_active() {
    [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]
}

# cursovia_focus WINDOW: makes it the active window, so that keys go to it.
cursovia_focus() {
    xdotool windowactivate "$1" 2>/dev/null
    w32_wait_until 5 w32_is_active "$1"
}

# cursovia_click WINDOW CONTROL
cursovia_click() {
    local ox oy px py
    read -r ox oy < <(cursovia_client_origin "$1")
    read -r px py <<<"${CURSOVIA_CONTROL[$2]}"
    w32_click $((ox + px)) $((oy + py))
}

# cursovia_close WINDOW: closes the window as the user does and waits for the
# process to end; fails unless it ends with exit code 0.
cursovia_close() {
    cursovia_focus "$1" || return 1
    xdotool key alt+F4
    w32_wait_exit "$CURSOVIA_PID"
}

# cursovia_setting_is NAME EXPECTED
cursovia_setting_is() {
    [[ $(w32_reg_query "$CURSOVIA_KEY" "$1") == "$2" ]]
}
