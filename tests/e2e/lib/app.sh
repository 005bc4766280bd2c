# shellcheck shell=bash
# shellcheck disable=SC2034,SC2119,SC2120 # a library: its variables and optional arguments serve the scripts that source it
# Driving the real program from outside, the same way on both builds: this
# file over a driver (linux/driver.sh or win32/driver.sh) that knows how to
# start the program and where it keeps its state.
#
#   app_start_past_tip            fresh settings, start, dismiss the first-start tip, APP_WINDOW set
#   app_wait_main_window [S]      id of the visible main window (client area 1064 x 540)
#   app_wait_message_box [S]      id of a message box of the program (titled "Cursovia")
#   app_dismiss WID               answers a message box with Return, waits until it is gone
#   app_click WID X Y [REPEAT]    left click at client coordinates of the window (at 96 dpi: APP_SCALE)
#   app_close WID                 Alt+F4 on the window, waits for exit status 0
#   app_kill                      SIGKILL to the program, reaped
#   app_wait_setting KEY VALUE [S]
#   app_row X Y WAIT KIND         one row as the "Actions" setting stores it
#   app_pointer_events LOG, app_clicks LOG  a click target's log read through the driver
#   app_region_signature WID X Y W H, app_wait_region_change WID X Y W H BEFORE [S]
#                                 a signature of part of the window, a wait for it to change
#
# The driver provides:
#   app_start                     starts the program in the background, pid in APP_PID
#   app_fresh_settings            the next start finds no settings at all
#   app_setting KEY               prints a stored setting; fails when it is absent
#   app_logon_entry               prints the command of the log-on entry; fails when absent
#   app_logon_command             the command the log-on entry should hold
#   app_start_click_target X Y W H LOG  a window titled "Cursovia Click Target"
#                                 that logs the mouse buttons; the point X+W/2,Y+H/2 is inside it
#   app_timed_pointer_events LOG  the events in LOG, one a line: "down B X Y T", "up B X Y T",
#                                 or "double B X Y T" for a press the system takes as the
#                                 second of a double click (B: 1 left, 2 middle, 3 right);
#                                 "drag X Y T", a move with the left button down;
#                                 "wheel up X Y T", "wheel down X Y T"; T is the
#                                 time the system stamped on the event, in ms
#   APP_TRAY_CLASS                the class of the program's tray icon window
#   APP_START_TIMEOUT             seconds a start may take

APP_TITLE=Cursovia
APP_WIDTH=1064
APP_HEIGHT=540
APP_PID=
APP_WINDOW=
# The desktop's scale in percent: the window and the points below grow with it.
APP_SCALE=100
app_scaled() { echo $(($1 * APP_SCALE / 100)); }

# Points inside controls, in client pixels (bounds from src/base/Controls.cpp).
ADD_BUTTON=(659 318)          # PushButton1, "Add Action To End Of List"
START_BUTTON=(262 361)        # PushButton5, the start/stop button
SINGLE_CLICK_OPTION=(350 65)  # Option2, "Single Click"
DOUBLE_CLICK_OPTION=(350 89)  # Option3, "Double Click"
WAIT_BOX=(86 148)             # Text1
STARTUP_BOX=(60 291)          # Check4, "Load this software on Windows startup"
POSITION_LABELS=(104 54 96 44) # lblXPosition and lblYPosition: x y w h
CAPTURE_KEY_BOX=(944 453)     # PushButton12, the Keys frame's Capture box
STOP_KEY_BOX=(944 483)        # PushButton13, its Stop box
START_KEY_BOX=(944 513)       # PushButton14, its Start/stop box
FIRST_ROW=(600 40)            # ListView1's first row, below its headings
FIRST_ROW=(588 35)            # ListView1 at 528,8: below the header, inside row 1
BELOW_ROWS=(588 260)          # ListView1, below a few rows
NO_CLICK_OPTION=(350 41)      # Option1, "No Mouse Click"
RIGHT_CLICK_OPTION=(30 451)   # Option6 .. Option12, "More Click Options"
MIDDLE_CLICK_OPTION=(30 473)
RIGHT_DOUBLE_CLICK_OPTION=(30 495)
LEFT_DOWN_OPTION=(30 517)
LEFT_UP_OPTION=(176 451)
SCROLL_UP_OPTION=(176 473)
SCROLL_DOWN_OPTION=(176 495)
REPEAT_TIMES_OPTION=(338 478) # optRepeatTimes
REPEAT_COUNT_BOX=(460 478)    # txtRepeatCount
REPEAT_FOR_OPTION=(338 508)   # optRepeatFor
REPEAT_DURATION_BOX=(460 508) # txtRepeatDuration
POSITION_JITTER_BOX=(685 452) # txtPositionJitter
WAIT_JITTER_BOX=(685 478)     # txtWaitJitter
NEW_BAND=(8 420 720 112)      # the frames of the band below: x y w h
RECORD_BUTTON=(628 516)       # PushButton11, "Record"

APP_FIELD='||MySeparator12||'
APP_RECORD='||MySeparator23||'
app_row() { printf '%s%s%s%s%s%s%s%s' "$1" "$APP_FIELD" "$2" "$APP_FIELD" "$3" "$APP_FIELD" "$4" "$APP_RECORD"; }

# app_pointer_events LOG: app_timed_pointer_events without the times.
# app_clicks LOG: the left button's of those without the button: "down X Y",
# "up X Y", "double X Y".
app_pointer_events() { app_timed_pointer_events "$1" | sed 's/ [0-9]*$//'; }
app_clicks() { app_pointer_events "$1" | awk '$1 ~ /^(down|up|double)$/ && $2 == 1 { print $1, $3, $4 }'; }

# Prints the visible windows of the program titled "Cursovia", one per line,
# with their client box: "WID X Y W H".
app__titled_windows() {
    local wid box
    for wid in $(desktop_windows_titled "$APP_TITLE" "$APP_PID"); do
        box=$(desktop_window_box "$wid") || continue
        printf '%s %s\n' "$wid" "$box"
    done
}

# The main window, told from the message boxes that share its title by its size.
app__main_window() { app__titled_windows | awk -v w="$(app_scaled "$APP_WIDTH")" -v h="$(app_scaled "$APP_HEIGHT")" '$4 == w && $5 == h { print $1; f = 1; exit } END { exit !f }'; }
app__message_box() { app__titled_windows | awk -v w="$(app_scaled "$APP_WIDTH")" -v h="$(app_scaled "$APP_HEIGHT")" '!($4 == w && $5 == h) { print $1; f = 1; exit } END { exit !f }'; }
app_main_window_gone() { ! app__main_window >/dev/null; }

app_wait_main_window() { desktop_wait_print "${1:-$APP_START_TIMEOUT}" "the main window" app__main_window; }
app_wait_message_box() { desktop_wait_print "${1:-$APP_START_TIMEOUT}" "a message box" app__message_box; }

app__viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
app__not_viewable() { ! app__viewable "$1"; }
app_wait_viewable() { desktop_wait_until "${2:-10}" app__viewable "$1"; }
app_wait_hidden() { desktop_wait_until "${2:-10}" app__not_viewable "$1"; }

app_dismiss() {
    desktop_focus "$1" && xdotool key Return && app_wait_hidden "$1" 5
}

# A fresh start, its first-start tip answered; the main window's id lands in
# APP_WINDOW.
app_start_past_tip() {
    local tip
    app_fresh_settings
    app_start
    tip=$(app_wait_message_box) || { echo "no first-start tip appeared"; return 1; }
    app_dismiss "$tip" || { echo "the first-start tip did not close"; return 1; }
    APP_WINDOW=$(app_wait_main_window) || { echo "no main window appeared"; return 1; }
}

app_click() {
    local wid=$1 cx=$2 cy=$3 x y w h
    read -r x y w h < <(desktop_window_box "$wid") || return 1
    desktop_click $((x + $(app_scaled "$cx"))) $((y + $(app_scaled "$cy"))) 1 "${4:-1}"
}

# app_drag WINDOW_ID CX1 CY1 CX2 CY2: a left-button drag between two client points.
app_drag() {
    local wid=$1 x y w h
    read -r x y w h < <(desktop_window_box "$wid") || return 1
    desktop_drag $((x + $(app_scaled "$2"))) $((y + $(app_scaled "$3"))) $((x + $(app_scaled "$4"))) $((y + $(app_scaled "$5")))
}

app__gone() { desktop__gone "$APP_PID"; }

app_close() {
    desktop_focus "$1" && xdotool key alt+F4 || return 1
    desktop_wait_until 10 app__gone || return 1
    wait "$APP_PID"
}

app_kill() {
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    return 0
}

app__setting_is() { [[ $(app_setting "$1" 2>/dev/null) == "$2" ]]; }
app_wait_setting() { desktop_wait_until "${3:-10}" app__setting_is "$1" "$2"; }

# A signature of the pixels of part of a window, to see it change.
app_region_signature() {
    local wid=$1 x w h y
    x=$(app_scaled "$2") y=$(app_scaled "$3") w=$(app_scaled "$4") h=$(app_scaled "$5")
    import -silent -window "$wid" -crop "${w}x${h}+${x}+${y}" +repage png:- 2>/dev/null |
        identify -format '%#' - 2>/dev/null
}

app__region_differs() { [[ $(app_region_signature "$1" "$2" "$3" "$4" "$5") != "$6" ]]; }
app_wait_region_change() { desktop_wait_until "${7:-10}" app__region_differs "$@"; }
