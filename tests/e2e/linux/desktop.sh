# shellcheck shell=bash
# Private X desktop for Cursovia's Linux end-to-end tests.
#
# Source this file, then:
#   desktop_start ARTEFACT_DIR     Xvfb + openbox + trayer, exports DISPLAY
#   desktop_new_home               fresh HOME / XDG dirs for the app under test
#   desktop_spawn NAME CMD...      background process, log in ARTEFACT_DIR
#   desktop_wait_window TITLE [S]  window id of the visible window titled TITLE
#   desktop_wait_tray_icon CLASS [S]  window id of CLASS's icon embedded in the tray
#   desktop_restart_tray HEIGHT    trayer again, its panel HEIGHT pixels high
#   desktop_window_box WID         "X Y WIDTH HEIGHT" of its client area on the screen
#   desktop_click_window_centre WID [BUTTON]  moves the pointer there and clicks
#   desktop_screenshot FILE [WID]  PNG of the root window or of one window
#   desktop_teardown               stops everything (also runs from the EXIT trap)
#
# Needs E2E_TOOLS_DIR pointing at the built tests/e2e/tools (x_selection_owner).
# Every wait is a bounded poll; nothing sleeps for a fixed time.
# Call desktop_spawn and desktop_start directly, not inside $(...): the
# process list lives in the calling shell so teardown can stop them.

DESKTOP_SCREEN_GEOMETRY=1920x1080x24
DESKTOP_POLL_INTERVAL=0.05
DESKTOP_START_TIMEOUT=15

DESKTOP_PIDS=()
DESKTOP_TEMP_DIRS=()
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

desktop__tray_owned() {
    "$E2E_TOOLS_DIR/x_selection_owner" _NET_SYSTEM_TRAY_S0 >/dev/null 2>&1
}

desktop__tray_free() { ! desktop__tray_owned; }

# desktop__start_tray HOME HEIGHT: trayer at the screen's top right, its
# panel HEIGHT pixels high; waits until it owns the tray selection.
desktop__start_tray() {
    desktop_spawn trayer env HOME="$1" trayer --edge top --align right \
        --widthtype request --height "$2" --SetDockType true --transparent false
    DESKTOP_TRAY_PID=$DESKTOP_LAST_PID
    desktop_wait_until "$DESKTOP_START_TIMEOUT" desktop__tray_owned
}

# desktop_restart_tray HEIGHT
# Replaces trayer by one whose panel is HEIGHT pixels high: desktop_start's
# 32 stretches the 22-pixel icons it embeds, 24 leaves them their size. The
# new trayer takes the old one's place among the desktop's processes, so it
# outlives the scenario that asked for it.
desktop_restart_tray() {
    local height=$1 slot home
    for slot in "${!DESKTOP_PIDS[@]}"; do [[ ${DESKTOP_PIDS[slot]} == "$DESKTOP_TRAY_PID" ]] && break; done
    desktop_stop "$DESKTOP_TRAY_PID"
    desktop_wait_until "$DESKTOP_START_TIMEOUT" desktop__tray_free || return 1
    home=$(mktemp -d -t cursovia-tray.XXXXXX)
    DESKTOP_TEMP_DIRS+=("$home")
    desktop__start_tray "$home" "$height" || return 1
    DESKTOP_PIDS[slot]=$DESKTOP_TRAY_PID
    DESKTOP_PIDS=("${DESKTOP_PIDS[@]:0:${#DESKTOP_PIDS[@]}-1}")
}

desktop__wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
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
    if [[ ! -x $E2E_TOOLS_DIR/x_selection_owner ]]; then
        desktop__log "E2E_TOOLS_DIR must point at the built tests/e2e/tools"
        return 1
    fi
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
    desktop_spawn openbox env HOME="$dir/home" openbox
    desktop_wait_until "$DESKTOP_START_TIMEOUT" desktop__wm_running ||
        { desktop__log "openbox did not take over the screen"; return 1; }

    desktop__start_tray "$dir/home" 32 || { desktop__log "trayer did not claim the system tray selection"; return 1; }
    desktop__log "desktop ready on $DISPLAY, artefacts in $DESKTOP_ARTEFACTS"
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

# desktop__visible_window_titled TITLE: prints the first viewable window
# whose title is exactly TITLE. xdotool matches a case-insensitive regex,
# so its hits are filtered by an exact comparison.
desktop__visible_window_titled() {
    local title=$1 wid
    for wid in $(xdotool search --onlyvisible --name "^$(desktop__regex_escape "$title")\$" 2>/dev/null); do
        if [[ $(xdotool getwindowname "$wid" 2>/dev/null) == "$title" ]]; then
            printf '%s\n' "$wid"
            return 0
        fi
    done
    return 1
}

# desktop_wait_window TITLE [TIMEOUT_SECONDS=10]
# Prints the id of the mapped window titled exactly TITLE; fails on timeout.
desktop_wait_window() {
    local title=$1 timeout=${2:-10}
    if ! desktop_wait_until "$timeout" desktop__visible_window_titled "$title" >/dev/null; then
        desktop__log "no visible window titled '$title' after ${timeout}s"
        return 1
    fi
    desktop__visible_window_titled "$title"
}

# desktop_window_box WINDOW_ID
# Prints "X Y WIDTH HEIGHT" of the window's client area in root coordinates (xdotool's getwindowgeometry is off by the frame
# for reparented windows, xwininfo is not).
desktop_window_box() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { if (w == "") exit 1; print x, y, w, h }'
}

# desktop__tray_icon_of CLASS: prints the first window whose WM_CLASS
# instance is CLASS and that sits inside trayer's panel.
desktop__tray_icon_of() {
    local class=$1 panel tree wid
    panel=$(xdotool search --all --onlyvisible --pid "$DESKTOP_TRAY_PID" --classname '^panel$' 2>/dev/null | head -n 1)
    [[ -n $panel ]] || return 1
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
    local class=$1 timeout=${2:-10}
    if ! desktop_wait_until "$timeout" desktop__tray_icon_of "$class" >/dev/null; then
        desktop__log "no tray icon of class '$class' after ${timeout}s"
        return 1
    fi
    desktop__tray_icon_of "$class"
}

# desktop_click_window_centre WINDOW_ID [BUTTON=1]
# Moves the pointer to the middle of the window's client area and clicks.
desktop_click_window_centre() {
    local wid=$1 button=${2:-1} x y w h
    read -r x y w h < <(desktop_window_box "$wid") || return 1
    xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click "$button"
}

# desktop_screenshot FILE [WINDOW_ID]
# Saves the whole screen, or one window, as PNG. A relative FILE lands in
# the artefact folder.
desktop_screenshot() {
    local file=$1 window=${2:-root}
    [[ $file == /* ]] || file=$DESKTOP_ARTEFACTS/$file
    import -silent -window "$window" "png:$file"
}

# desktop_teardown
# Stops every spawned process (newest first, so the X server goes last) and
# removes temporary homes. On a failing exit it first keeps a screenshot
# and the window tree. Safe to call more than once.
desktop_teardown() {
    local status=$?
    trap - EXIT INT TERM
    if ((status != 0)) && [[ -n ${DISPLAY:-} && -n $DESKTOP_ARTEFACTS ]]; then
        desktop_screenshot failure.png 2>/dev/null
        xwininfo -root -tree >"$DESKTOP_ARTEFACTS/failure-windows.txt" 2>&1
    fi
    local i
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
