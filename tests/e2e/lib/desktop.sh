# shellcheck shell=bash
# The private X desktop every end-to-end test runs on, Linux and Wine alike:
# Xvfb, openbox and trayer, and the processes started on it.
#
# Source this file, then:
#   desktop_start ARTEFACT_DIR     Xvfb + openbox + trayer, exports DISPLAY
#   desktop_new_home               fresh HOME / XDG dirs for the program under test
#   desktop_spawn NAME CMD...      background process, log in ARTEFACT_DIR/NAME.log
#   desktop_stop PID               SIGTERM, then SIGKILL after 3 s
#   desktop_end_spawned_since N    SIGKILL to what was spawned after the first N
#   desktop_wait_until S CMD...    polls CMD every 50 ms for S seconds (fractions allowed)
#   desktop_wait_print S WHAT CMD...  the same, then prints what CMD prints
#   desktop_wait_window TITLE [S]  window id of the visible window titled TITLE
#   desktop_wait_tray_icon CLASS [S]  window id of CLASS's icon embedded in the tray
#   desktop_window_box WID         "X Y WIDTH HEIGHT" of its client area on the screen
#   desktop_move_pointer X Y       moves the pointer and waits until it is there
#   desktop_click X Y [BUTTON] [COUNT]  clicks there, COUNT times 80 ms apart
#   desktop_click_window_centre WID [BUTTON]
#   desktop_focus WID              makes WID the active window
#   desktop_screenshot FILE [WID]  PNG of the root window or of one window
#   desktop_teardown               stops everything (also runs from the EXIT trap)
#
# DESKTOP_TEARDOWN_HOOKS lists functions teardown calls first (Wine's server).
# Every wait is a bounded poll; nothing sleeps for a fixed time.
# Call desktop_spawn and desktop_start directly, not inside $(...): the
# process list lives in the calling shell so teardown can stop them.

DESKTOP_SCREEN_GEOMETRY=1920x1080x24
DESKTOP_POLL_INTERVAL=0.05
DESKTOP_START_TIMEOUT=30

DESKTOP_PIDS=()
DESKTOP_TEMP_DIRS=()
DESKTOP_TEARDOWN_HOOKS=()
DESKTOP_ARTEFACTS=
DESKTOP_LAST_PID=
DESKTOP_XVFB_PID=
DESKTOP_TRAY_PID=

desktop__log() { printf 'desktop: %s\n' "$*" >&2; }

desktop__now_us() { printf '%s' "${EPOCHREALTIME//[!0-9]/}"; }

# desktop_wait_until SECONDS CMD...
# Runs CMD every poll interval until it succeeds; fails after SECONDS
# (fractions allowed).
desktop_wait_until() {
    local timeout=$1
    shift
    local deadline
    deadline=$(awk -v now="$(desktop__now_us)" -v t="$timeout" 'BEGIN { printf "%.0f", now + t * 1000000 }')
    until "$@"; do
        (($(desktop__now_us) > deadline)) && return 1
        sleep "$DESKTOP_POLL_INTERVAL"
    done
}

# desktop_wait_print SECONDS WHAT CMD...
# Waits until CMD succeeds, then prints what it prints; says WHAT did not
# appear when time runs out.
desktop_wait_print() {
    local timeout=$1 what=$2
    shift 2
    if ! desktop_wait_until "$timeout" "$@" >/dev/null; then
        desktop__log "$what did not appear within ${timeout}s"
        return 1
    fi
    "$@"
}

desktop__alive() { kill -0 "$1" 2>/dev/null; }
desktop__gone() { ! kill -0 "$1" 2>/dev/null; }

# desktop_spawn NAME CMD...
# Starts CMD in the background with stdout/stderr in ARTEFACT_DIR/NAME.log
# and registers it for teardown. The PID is left in DESKTOP_LAST_PID.
desktop_spawn() {
    local name=$1
    shift
    "$@" >"$DESKTOP_ARTEFACTS/$name.log" 2>&1 &
    DESKTOP_LAST_PID=$!
    DESKTOP_PIDS+=("$DESKTOP_LAST_PID")
}

# desktop_stop PID
# SIGTERM, then SIGKILL if the process is still there after 3 s.
desktop_stop() {
    local pid=$1
    desktop__alive "$pid" || { wait "$pid" 2>/dev/null; return 0; }
    kill -TERM "$pid" 2>/dev/null
    if ! desktop_wait_until 3 desktop__gone "$pid"; then
        desktop__log "pid $pid ignored SIGTERM, killing"
        kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}

# desktop_end_spawned_since COUNT
# SIGKILL to every process spawned after the first COUNT, newest first, and
# forgets them: what one test started goes before the next begins.
desktop_end_spawned_since() {
    local i
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= $1; i--)); do
        kill -KILL "${DESKTOP_PIDS[i]}" 2>/dev/null
        wait "${DESKTOP_PIDS[i]}" 2>/dev/null
    done
    DESKTOP_PIDS=("${DESKTOP_PIDS[@]:0:$1}")
}

desktop__wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# trayer claims the tray selection before it shows its panel.
desktop__tray_panel() {
    xdotool search --all --onlyvisible --pid "$DESKTOP_TRAY_PID" --classname '^panel$' 2>/dev/null | head -n 1 | grep .
}

# Xvfb writes the display number to its -displayfd once it accepts
# connections; an early exit ends the wait too.
desktop__xvfb_reported() {
    grep -q '^[0-9][0-9]*$' "$1" || desktop__gone "$2"
}

desktop__start_xvfb() {
    local dir=$1 cookie display_file display_number
    cookie=$(mcookie)
    (umask 077 && : >"$dir/server.xauth" && : >"$dir/client.xauth")
    # The server accepts every cookie in its file whatever display it names;
    # clients need an entry for the display Xvfb picks, added below.
    xauth -q -f "$dir/server.xauth" add :0 . "$cookie"
    display_file="$dir/display"
    : >"$display_file"
    # -displayfd lets Xvfb choose a free display itself and report it once
    # it accepts connections, so parallel test runs never collide.
    desktop_spawn xvfb Xvfb -displayfd 3 -screen 0 "$DESKTOP_SCREEN_GEOMETRY" \
        -nolisten tcp -noreset -auth "$dir/server.xauth" 3>"$display_file"
    DESKTOP_XVFB_PID=$DESKTOP_LAST_PID
    if ! desktop_wait_until "$DESKTOP_START_TIMEOUT" \
        desktop__xvfb_reported "$display_file" "$DESKTOP_XVFB_PID"; then
        desktop__log "Xvfb did not report a display"
        return 1
    fi
    desktop__alive "$DESKTOP_XVFB_PID" || { desktop__log "Xvfb exited, see xvfb.log"; return 1; }
    display_number=$(<"$display_file")
    export DISPLAY=":$display_number"
    export XAUTHORITY="$dir/client.xauth"
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
}

# desktop_start ARTEFACT_DIR
# Starts Xvfb (1920x1080x24, free display), openbox and trayer, waits until
# each is usable, exports DISPLAY and XAUTHORITY and installs the teardown
# trap. Logs of all three go to ARTEFACT_DIR; their PIDs are in
# DESKTOP_XVFB_PID and DESKTOP_TRAY_PID.
desktop_start() {
    DESKTOP_ARTEFACTS=$1
    mkdir -p "$DESKTOP_ARTEFACTS"
    DESKTOP_ARTEFACTS=$(cd "$DESKTOP_ARTEFACTS" && pwd)
    trap desktop_teardown EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    local dir
    dir=$(mktemp -d -t cursovia-desktop.XXXXXX)
    DESKTOP_TEMP_DIRS+=("$dir")
    mkdir -p "$dir/home"
    desktop__isolate_session
    desktop__start_xvfb "$dir" || return 1

    # openbox and trayer get a home of their own so they never read or write
    # the real user's configuration.
    desktop_spawn openbox env HOME="$dir/home" openbox --sm-disable
    desktop_wait_until "$DESKTOP_START_TIMEOUT" desktop__wm_running ||
        { desktop__log "openbox did not take over the screen"; return 1; }

    # Fixed width on purpose: Wine learns the panel's size only once, when it
    # docks the first icon. A panel that then grows leaves Wine with a stale,
    # too small rectangle, and clicks on the icon go to the panel instead.
    # Once in many starts trayer made its panel but never mapped it, with
    # openbox running; a second trayer then shows it.
    local log
    for log in trayer trayer-again; do
        desktop_spawn "$log" env HOME="$dir/home" trayer --edge top --align right \
            --widthtype pixel --width 96 --height 24 --SetDockType true --SetPartialStrut true \
            --transparent false
        DESKTOP_TRAY_PID=$DESKTOP_LAST_PID
        if desktop_wait_until "$((DESKTOP_START_TIMEOUT / 2))" desktop__tray_panel >/dev/null; then
            desktop__log "desktop ready on $DISPLAY, artefacts in $DESKTOP_ARTEFACTS"
            return 0
        fi
        desktop_stop "$DESKTOP_TRAY_PID"
    done
    desktop__log "trayer did not show its panel"
    return 1
}

# Programs started on this desktop must not reach the developer's own
# session: Qt would pick Wayland, or put its tray icon on a session bus
# (StatusNotifierItem) instead of embedding it in trayer.
desktop__isolate_session() {
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    export DBUS_SESSION_BUS_ADDRESS=disabled:
}

# desktop_new_home
# Gives the next program a fresh, empty HOME (exported along with the XDG
# config, data, cache and runtime dirs under it). Removed at teardown.
desktop_new_home() {
    local home
    home=$(mktemp -d -t cursovia-home.XXXXXX)
    DESKTOP_TEMP_DIRS+=("$home")
    export HOME=$home
    export XDG_CONFIG_HOME=$home/.config
    export XDG_DATA_HOME=$home/.local/share
    export XDG_CACHE_HOME=$home/.cache
    export XDG_RUNTIME_DIR=$home/.runtime
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

desktop__regex_escape() { printf '%s' "$1" | sed 's/[][\.*^$?+(){}|/]/\\&/g'; }

# desktop_windows_titled TITLE [PID]
# Prints the viewable windows whose title is exactly TITLE (of process PID
# only, when given), one per line. xdotool matches a case-insensitive regex,
# so its hits are filtered by an exact comparison.
desktop_windows_titled() {
    local title=$1 wid pid=()
    [[ -n ${2:-} ]] && pid=(--pid "$2")
    for wid in $(xdotool search --onlyvisible "${pid[@]}" --name "^$(desktop__regex_escape "$title")\$" 2>/dev/null); do
        [[ $(xdotool getwindowname "$wid" 2>/dev/null) == "$title" ]] && printf '%s\n' "$wid"
    done
    return 0
}

desktop__visible_window_titled() { desktop_windows_titled "$1" | head -n 1 | grep .; }

# desktop_wait_window TITLE [TIMEOUT_SECONDS=10]
# Prints the id of the mapped window titled exactly TITLE; fails on timeout.
desktop_wait_window() {
    desktop_wait_print "${2:-10}" "a visible window titled '$1'" desktop__visible_window_titled "$1"
}

# desktop_window_box WINDOW_ID
# Prints "X Y WIDTH HEIGHT" of the window's client area in root coordinates (xdotool's getwindowgeometry is off by the frame
# for reparented windows, xwininfo is not).
desktop_window_box() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { if (w == "") exit 1; print x, y, w, h }'
}

# desktop__tray_icon_of CLASS: prints the first window whose WM_CLASS
# instance is CLASS and that sits inside trayer's panel.
desktop__tray_icon_of() {
    local class=$1 panel tree wid
    panel=$(desktop__tray_panel) || return 1
    tree=$(xwininfo -tree -id "$panel" 2>/dev/null) || return 1
    for wid in $(xdotool search --onlyvisible --classname "^$(desktop__regex_escape "$class")\$" 2>/dev/null); do
        if grep -q "$(printf '0x%x ' "$wid")" <<<"$tree"; then
            printf '%s\n' "$wid"
            return 0
        fi
    done
    return 1
}

# desktop_wait_tray_icon CLASS [TIMEOUT_SECONDS=10]
# Prints the id of the tray icon window of the program whose WM_CLASS
# instance name is CLASS, once trayer has embedded and shown it.
desktop_wait_tray_icon() {
    desktop_wait_print "${2:-10}" "a tray icon of class '$1'" desktop__tray_icon_of "$1"
}

desktop__pointer_at() { [[ $(xdotool getmouselocation 2>/dev/null) == "x:$1 y:$2 "* ]]; }

# desktop_move_pointer X Y
# xdotool's own --sync waits 15 s for a motion that never comes when the
# pointer is already there, so the arrival is polled here.
desktop_move_pointer() {
    xdotool mousemove "$1" "$2" && desktop_wait_until 5 desktop__pointer_at "$1" "$2"
}

# desktop_click X Y [BUTTON=1] [COUNT=1]
# Clicks BUTTON (1 left, 3 right) COUNT times, 80 ms apart, at X,Y: a double
# click for COUNT 2.
desktop_click() {
    desktop_move_pointer "$1" "$2" && xdotool click --repeat "${4:-1}" --delay 80 "${3:-1}"
}

# desktop_drag X1 Y1 X2 Y2
# Presses the left button at X1,Y1, moves to X2,Y2 in small steps (so the
# program sees a drag start past its threshold) and releases it there.
desktop_drag() {
    local step
    desktop_move_pointer "$1" "$2" && xdotool mousedown 1 || return 1
    for step in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $(($1 + ($3 - $1) * step / 10)) $(($2 + ($4 - $2) * step / 10))
        sleep 0.05
    done
    desktop_move_pointer "$3" "$4" && sleep 0.2 && xdotool mouseup 1
}

# desktop_click_window_centre WINDOW_ID [BUTTON=1]
desktop_click_window_centre() {
    local x y w h
    read -r x y w h < <(desktop_window_box "$1") || return 1
    desktop_click $((x + w / 2)) $((y + h / 2)) "${2:-1}"
}

desktop_is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }

# desktop_focus WINDOW_ID: makes it the active window, so that keys go to it.
desktop_focus() {
    xdotool windowactivate "$1" 2>/dev/null
    desktop_wait_until 5 desktop_is_active "$1"
}

# desktop_screenshot FILE [WINDOW_ID]
# Saves the whole screen, or one window, as PNG. A relative FILE lands in
# the artefact folder.
desktop_screenshot() {
    local file=$1 window=${2:-root}
    [[ $file == /* ]] || file=$DESKTOP_ARTEFACTS/$file
    timeout 30 import -silent -window "$window" "png:$file"
}

# desktop_keep_failure_evidence: a screenshot and the window tree.
desktop_keep_failure_evidence() {
    desktop_screenshot failure.png 2>/dev/null
    xwininfo -root -tree >"$DESKTOP_ARTEFACTS/failure-windows.txt" 2>&1
}

# desktop_teardown
# Runs the teardown hooks, stops every spawned process (newest first, so the
# X server goes last) and removes temporary homes. On a failing exit it first
# keeps a screenshot and the window tree. Safe to call more than once.
desktop_teardown() {
    local status=$?
    trap - EXIT INT TERM
    if ((status != 0)) && [[ -n ${DISPLAY:-} && -n $DESKTOP_ARTEFACTS ]]; then
        desktop_keep_failure_evidence
    fi
    local i
    for i in "${DESKTOP_TEARDOWN_HOOKS[@]}"; do "$i"; done
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        desktop_stop "${DESKTOP_PIDS[i]}"
    done
    DESKTOP_PIDS=()
    for i in "${DESKTOP_TEMP_DIRS[@]}"; do
        rm -rf -- "$i"
    done
    DESKTOP_TEMP_DIRS=()
    return "$status"
}
