# shellcheck shell=bash
# Driving the real cursovia binary from outside, on the desktop of desktop.sh.
#
#   app_start [ARG...]            starts $CURSOVIA (in the current HOME) with ARGs, pid in APP_PID
#   app_wait_message_box [S]      id of a message box of the app (titled "Cursovia")
#   app_dismiss WID               answers a message box with Return, waits until it is gone
#   app_wait_main_window [S]      id of the visible main window (client area 1064 x 412)
#   app_start_past_tip            fresh HOME, start, dismiss the first-start tip, APP_WINDOW set
#   app_click WID X Y [REPEAT]    left click at client coordinates of the window
#   app_close WID                 Alt+F4 on the window (openbox closes it), waits for the exit
#   app_kill                      SIGKILL to the app, reaped
#   app_setting KEY               the value stored under KEY in the app's settings file
#   app_wait_setting KEY VALUE [S]
#   app_wait_region_change WID X Y W H BEFORE [S]  waits until that part of the window
#                                 no longer has the signature BEFORE (see app_region_signature)
#
# Needs CURSOVIA (the binary) and the functions of desktop.sh.

APP_TITLE=Cursovia
APP_WIDTH=1064
APP_HEIGHT=412
APP_PID=
APP_WINDOW=

app_start() {
    desktop_spawn cursovia "$CURSOVIA" "$@"
    APP_PID=$DESKTOP_LAST_PID
}

# Prints the visible windows of the app titled "Cursovia", one per line,
# with their client box: "WID X Y W H".
app__titled_windows() {
    local wid box
    for wid in $(xdotool search --onlyvisible --pid "$APP_PID" --name "^$APP_TITLE\$" 2>/dev/null); do
        [[ $(xdotool getwindowname "$wid" 2>/dev/null) == "$APP_TITLE" ]] || continue
        box=$(desktop_window_box "$wid" 2>/dev/null) || continue
        printf '%s %s\n' "$wid" "$box"
    done
}

app__main_window() { app__titled_windows | awk -v w="$APP_WIDTH" -v h="$APP_HEIGHT" '$4 == w && $5 == h { print $1; f = 1; exit } END { exit !f }'; }
app__message_box() { app__titled_windows | awk -v w="$APP_WIDTH" -v h="$APP_HEIGHT" '!($4 == w && $5 == h) { print $1; f = 1; exit } END { exit !f }'; }

app_wait_main_window() {
    desktop_wait_until "${1:-10}" app__main_window >/dev/null || return 1
    app__main_window
}

app_wait_message_box() {
    desktop_wait_until "${1:-10}" app__message_box >/dev/null || return 1
    app__message_box
}

app__viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
app__not_viewable() { ! app__viewable "$1"; }
app_wait_viewable() { desktop_wait_until "${2:-10}" app__viewable "$1"; }
app_wait_hidden() { desktop_wait_until "${2:-10}" app__not_viewable "$1"; }

app_dismiss() {
    xdotool windowactivate --sync "$1" key Return && app_wait_hidden "$1" 5
}

# A fresh HOME, the app started, its first-start tip answered; the main
# window's id lands in APP_WINDOW.
app_start_past_tip() {
    local tip
    desktop_new_home
    app_start
    tip=$(app_wait_message_box 10) || { echo "no first-start tip appeared"; return 1; }
    app_dismiss "$tip" || { echo "the first-start tip did not close"; return 1; }
    APP_WINDOW=$(app_wait_main_window 10) || { echo "no main window appeared"; return 1; }
}

app__pointer_at() { [[ $(xdotool getmouselocation 2>/dev/null) == "x:$1 y:$2 "* ]]; }
# xdotool's own --sync waits for a motion that never comes when the pointer is
# already there, so the arrival is polled here.
app_click() {
    local wid=$1 cx=$2 cy=$3 repeat=${4:-1} x y w h
    read -r x y w h < <(desktop_window_box "$wid") || return 1
    xdotool mousemove $((x + cx)) $((y + cy))
    desktop_wait_until 5 app__pointer_at $((x + cx)) $((y + cy)) || return 1
    xdotool click --repeat "$repeat" --delay 80 1
}

app__gone() { ! kill -0 "$APP_PID" 2>/dev/null; }

app_close() {
    xdotool windowactivate --sync "$1" key alt+F4 || return 1
    desktop_wait_until 10 app__gone || return 1
    wait "$APP_PID" 2>/dev/null
    return 0
}

app_kill() {
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    return 0
}

# The value of KEY in the [Cursovia] group of the INI file Qt keeps the
# settings in; fails when the file or the key is not there. Values the tests
# use need no INI quoting.
app_setting() {
    local file=$XDG_CONFIG_HOME/Kelvardo/Cursovia.ini
    [[ -f $file ]] || return 1
    awk -v key="$1" '
        /^\[/ { group = $0; next }
        group == "[Cursovia]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1; exit }
        END { exit !found }' "$file"
}

app__setting_is() { [[ $(app_setting "$1" 2>/dev/null) == "$2" ]]; }
app_wait_setting() { desktop_wait_until "${3:-10}" app__setting_is "$1" "$2"; }

# A signature of the pixels of part of a window, to see it change.
app_region_signature() {
    local wid=$1 x=$2 y=$3 w=$4 h=$5
    import -silent -window "$wid" -crop "${w}x${h}+${x}+${y}" +repage png:- 2>/dev/null |
        identify -format '%#' - 2>/dev/null
}

app__region_differs() { [[ $(app_region_signature "$1" "$2" "$3" "$4" "$5") != "$6" ]]; }
app_wait_region_change() { desktop_wait_until "${7:-10}" app__region_differs "$@"; }
