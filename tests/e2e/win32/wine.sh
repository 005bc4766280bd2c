# Bash library for end-to-end tests of Windows builds under Wine.
#
#   source tests/e2e/win32/wine.sh
#   w32_start_desktop "$artefacts"      # Xvfb + openbox + trayer, teardown trap
#   w32_make_prefix                     # fresh 64-bit WINEPREFIX
#   w32_run build-win/Cursovia.exe
#   win=$(w32_wait_window "Cursovia")
#   w32_screenshot started.png
#
# Functions (each documented where it is defined):
#   w32_start_desktop [DIR]        w32_make_prefix [DIR]      w32_teardown
#   w32_run EXE [ARGS]             w32_wait_exit PID [S]      w32_winpath PATH
#   w32_wait_window TITLE [S]      w32_wait_tray_icon [S]     w32_tray_icons
#   w32_move_pointer X Y           w32_click X Y [BUTTON] [COUNT]
#   w32_reg_add KEY NAME DATA [TYPE]                          w32_reg_query KEY NAME
#   w32_screenshot FILE            w32_wait_until S COMMAND [ARGS]
#
# Everything that waits is bounded (W32_TIMEOUT seconds unless told). Processes
# started here are tracked and ended by w32_teardown, which w32_start_desktop
# installs as the EXIT trap. Start processes only from the sourcing shell,
# never inside $(...), or their PIDs get lost with the subshell.
#
# Needs: xvfb xauth openbox trayer x11-utils xdotool imagemagick wine wine64.

W32_TIMEOUT=${W32_TIMEOUT:-30}
W32_SCREEN=${W32_SCREEN:-1920x1080x24}
W32_TRAY_WIDTH=${W32_TRAY_WIDTH:-96}
W32_ARTEFACTS=${W32_ARTEFACTS:-}
W32_PIDS=()
W32_LAST_PID=
W32_PREFIX=
W32_PREFIX_OWNED=
W32_RUN_COUNT=0
# reg.exe by full path: "wine reg" would run a reg.exe from the current
# folder first, as Windows' search order says.
W32_REG_EXE='C:\windows\system32\reg.exe'

# Quiet Wine and skip the Mono and Gecko installer prompts on a new prefix.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

w32_log() {
    printf '[wine.sh] %s\n' "$*" >&2
}

# w32_wait_until SECONDS COMMAND [ARGS...]
# Runs COMMAND every 0.1 s until it succeeds; fails after SECONDS.
w32_wait_until() {
    local timeout=$1
    shift
    local deadline=$((SECONDS + timeout))
    until "$@"; do
        if ((SECONDS >= deadline)); then
            return 1
        fi
        sleep 0.1
    done
}

w32_artefact_path() {
    case $1 in
        /*) printf '%s\n' "$1" ;;
        *) printf '%s/%s\n' "$W32_ARTEFACTS" "$1" ;;
    esac
}

# Installed by the functions that start something, so that whatever they
# started ends with the script, however it ends.
w32_install_teardown_trap() {
    trap 'w32_teardown' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

w32_track() {
    W32_PIDS+=("$1")
    # shellcheck disable=SC2034 # read by the scripts that source this file
    W32_LAST_PID=$1
}

w32_has_wm() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

w32_has_tray() {
    xdotool search --classname '^panel$' >/dev/null 2>&1
}

# w32_start_desktop [ARTEFACT_DIR]
# Starts a private X desktop: Xvfb on the first free display (W32_SCREEN,
# 1920x1080x24 by default) with its own auth cookie, openbox as window manager
# and trayer as system tray host. Exports DISPLAY and XAUTHORITY. Logs go to
# ARTEFACT_DIR (default: a new temporary folder), kept after teardown.
w32_start_desktop() {
    W32_ARTEFACTS=${1:-${W32_ARTEFACTS:-$(mktemp -d "${TMPDIR:-/tmp}/cursovia-e2e.XXXXXX")}}
    mkdir -p "$W32_ARTEFACTS"
    w32_install_teardown_trap

    # The server accepts any cookie in its auth file whatever the display
    # number, so the cookie can be written before Xvfb picks its display.
    local cookie server_auth="$W32_ARTEFACTS/xauth.server" display_file="$W32_ARTEFACTS/display"
    cookie=$(mcookie)
    : >"$server_auth"
    xauth -q -f "$server_auth" add :0 . "$cookie"
    : >"$display_file"
    # -displayfd makes Xvfb choose a free display itself and report it once it
    # accepts connections: no race with other servers on this machine.
    Xvfb -displayfd 3 -screen 0 "$W32_SCREEN" -nolisten tcp -noreset -auth "$server_auth" \
        3>"$display_file" >"$W32_ARTEFACTS/xvfb.log" 2>&1 &
    w32_track $!
    if ! w32_wait_until "$W32_TIMEOUT" grep -q '^[0-9][0-9]*$' "$display_file"; then
        w32_log "Xvfb did not start; see $W32_ARTEFACTS/xvfb.log"
        return 1
    fi
    DISPLAY=":$(<"$display_file")"
    export DISPLAY
    export XAUTHORITY="$W32_ARTEFACTS/xauthority"
    : >"$XAUTHORITY"
    xauth -q add "$DISPLAY" . "$cookie"

    openbox --sm-disable >"$W32_ARTEFACTS/openbox.log" 2>&1 &
    w32_track $!
    if ! w32_wait_until "$W32_TIMEOUT" w32_has_wm; then
        w32_log "openbox did not take over; see $W32_ARTEFACTS/openbox.log"
        return 1
    fi

    # Fixed width on purpose: Wine learns the panel's size only once, when it
    # docks the first icon. A panel that then grows ("--widthtype request")
    # leaves Wine with a stale, too small rectangle, and clicks on the icon
    # go to the panel instead of the icon.
    trayer --edge top --align right --widthtype pixel --width "$W32_TRAY_WIDTH" --height 24 \
        --SetDockType true --SetPartialStrut true --transparent false \
        >"$W32_ARTEFACTS/trayer.log" 2>&1 &
    w32_track $!
    if ! w32_wait_until "$W32_TIMEOUT" w32_has_tray; then
        w32_log "trayer did not start; see $W32_ARTEFACTS/trayer.log"
        return 1
    fi
    w32_log "desktop $DISPLAY ready, artefacts in $W32_ARTEFACTS"
}

# w32_make_prefix [DIR]
# Creates a fresh 64-bit WINEPREFIX in DIR (default: a new temporary folder,
# removed again by teardown) and exports WINEPREFIX. Installs the teardown
# trap too, for scripts that need Wine but no desktop (unit tests under ctest). wineboot runs without a
# display; then the prefix's wineserver is restarted to stay up until
# teardown. Takes about 13 s. Call it after w32_start_desktop, so that the
# services Wine starts here (explorer, which hosts the tray icons) use the
# private desktop.
w32_make_prefix() {
    if [[ -n ${1:-} ]]; then
        mkdir -p "$1"
        WINEPREFIX=$(cd "$1" && pwd)
    else
        WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/cursovia-wineprefix.XXXXXX")
        W32_PREFIX_OWNED=$WINEPREFIX
    fi
    export WINEPREFIX
    W32_PREFIX=$WINEPREFIX
    w32_install_teardown_trap
    local log
    log=$(w32_artefact_path wineboot.log)
    if ! DISPLAY='' timeout 300 wineboot -i >"$log" 2>&1; then
        w32_log "wineboot failed; see $log"
        return 1
    fi
    if ! timeout 120 wineserver -w; then
        w32_log "wineserver did not exit after wineboot"
        return 1
    fi
    if [[ $(readlink "$WINEPREFIX/dosdevices/z:") != / ]]; then
        w32_log "prefix has no Z: drive for /; w32_winpath would be wrong"
        return 1
    fi
    # Keep the wineserver and Wine's services up until teardown. Otherwise
    # each wine call waits for the last one's server to shut down and starts
    # it again: about 3.5 s per call instead of 0.1 s, which adds up when
    # ctest runs one Wine process per test case.
    if ! wineserver -p; then
        w32_log "cannot start a persistent wineserver"
        return 1
    fi
    # The first process starts explorer and the services; pay for that now.
    wine "$W32_REG_EXE" query 'HKCU\Software' /ve >/dev/null 2>&1 || true
}

# w32_winpath UNIX_PATH
# Prints the Windows path for an absolute Unix path (through drive Z:), for
# paths handed to a Windows program on its command line.
w32_winpath() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s\n' "${path//\//\\}"
}

# w32_run EXE [ARGS...]
# Starts EXE under Wine in the background; output goes to
# <artefacts>/<exe>.<n>.log. The PID is in W32_LAST_PID.
w32_run() {
    local exe=$1
    shift
    W32_RUN_COUNT=$((W32_RUN_COUNT + 1))
    local log
    log=$(w32_artefact_path "$(basename "$exe" .exe).$W32_RUN_COUNT.log")
    wine "$exe" "$@" >"$log" 2>&1 &
    w32_track $!
}

# w32_wait_exit PID [SECONDS]
# Waits for a process from w32_run to end and returns its exit code; 124 if
# it is still running after SECONDS.
w32_wait_exit() {
    local pid=$1 timeout=${2:-$W32_TIMEOUT}
    if ! w32_wait_until "$timeout" w32_not_running "$pid"; then
        return 124
    fi
    wait "$pid"
}

w32_not_running() {
    ! kill -0 "$1" 2>/dev/null
}

w32_regex_quote() {
    printf '%s' "$1" | sed 's/[][\\.*^$?+(){}|]/\\&/g'
}

w32_find_window() {
    xdotool search --onlyvisible --name "^$(w32_regex_quote "$1")\$" 2>/dev/null | head -n 1 | grep .
}

# w32_wait_window TITLE [SECONDS]
# Waits until a visible window with exactly this title exists and prints its
# X window id.
w32_wait_window() {
    local title=$1 timeout=${2:-$W32_TIMEOUT}
    if ! w32_wait_until "$timeout" w32_find_window "$title" >/dev/null; then
        w32_log "no window titled '$title' after ${timeout}s"
        return 1
    fi
    w32_find_window "$title"
}

# w32_tray_icons
# Prints "X Y", the screen centre, of every Wine icon docked in the tray, one
# per line, in the order trayer shows them.
w32_tray_icons() {
    local panel line
    panel=$(xdotool search --classname '^panel$' 2>/dev/null | head -n 1)
    [[ -n $panel ]] || return 1
    # xwininfo -tree lines end in "WxH+relX+relY  +absX+absY".
    local geometry='([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+)$'
    while IFS= read -r line; do
        if [[ $line == *'("explorer.exe" "explorer.exe")'* && $line =~ $geometry ]]; then
            printf '%d %d\n' "$((BASH_REMATCH[3] + BASH_REMATCH[1] / 2))" \
                "$((BASH_REMATCH[4] + BASH_REMATCH[2] / 2))"
        fi
    done < <(xwininfo -id "$panel" -tree)
}

w32_first_tray_icon() {
    w32_tray_icons | head -n 1 | grep .
}

# w32_wait_tray_icon [SECONDS]
# Waits until a Wine icon is docked in the tray and prints the centre of the
# first one as "X Y". Docking takes Wine about 2 s.
w32_wait_tray_icon() { w32_wait_print "${1:-$W32_TIMEOUT}" "a Wine icon docked in the tray" w32_first_tray_icon; }

# w32_wait_print SECONDS WHAT COMMAND...: waits until COMMAND succeeds, then
# prints what it prints; says WHAT did not appear when time runs out.
w32_wait_print() {
    local timeout=$1 what=$2
    shift 2
    if ! w32_wait_until "$timeout" "$@" >/dev/null; then
        w32_log "$what did not appear within ${timeout}s"
        return 1
    fi
    "$@"
}

w32_pointer_at() {
    [[ $(xdotool getmouselocation) == "x:$1 y:$2 "* ]]
}

# w32_move_pointer X Y
# Moves the X pointer to screen position X,Y and waits until it is there.
# (xdotool's own --sync hangs for 15 s when the pointer is already there.)
w32_move_pointer() {
    xdotool mousemove "$1" "$2" && w32_wait_until 5 w32_pointer_at "$1" "$2"
}

# w32_click X Y [BUTTON] [COUNT]
# Clicks BUTTON (1 left, 2 middle, 3 right; default 1) COUNT times (default
# 1, 80 ms apart: a double click for COUNT 2) at screen position X,Y.
w32_click() {
    w32_move_pointer "$1" "$2" && xdotool click --repeat "${4:-1}" --delay 80 "${3:-1}"
}

# w32_reg_add KEY NAME DATA [TYPE]
# Writes a registry value through Wine's reg.exe (TYPE defaults to REG_SZ).
w32_reg_add() {
    wine "$W32_REG_EXE" add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null
}

# w32_reg_query KEY NAME
# Prints the data of a REG_SZ value; fails if the key or value is missing.
# reg.exe prints "    <name>    REG_SZ    <data>" and ends lines with CR LF,
# while a line feed inside the data comes out bare: so the data runs on to
# the first line that ends in CR. The name is matched literally, so names and
# data may contain spaces. Wine writes the data in code page 437, so only
# ASCII data reads back exactly.
w32_reg_query() {
    local key=$1 name=$2 output line prefix data found=
    output=$(wine "$W32_REG_EXE" query "$key" /v "$name" 2>/dev/null) || return 1
    prefix="    $name    REG_SZ    "
    while IFS= read -r line; do
        if [[ -z $found ]]; then
            [[ $line == "$prefix"* ]] || continue
            found=1
            data=${line#"$prefix"}
        else
            data+=$'\n'$line
        fi
        if [[ $data == *$'\r' ]]; then
            printf '%s\n' "${data%$'\r'}"
            return 0
        fi
    done <<<"$output"
    return 1
}

# w32_screenshot FILE
# Saves the whole screen as PNG; a relative FILE goes into the artefact folder.
w32_screenshot() {
    import -display "$DISPLAY" -window root "$(w32_artefact_path "$1")"
}

# w32_teardown
# Ends Wine, trayer, openbox and Xvfb, and removes a prefix that
# w32_make_prefix created. Safe to call more than once. On a failed exit it
# saves a screenshot first, to see what the desktop showed.
w32_teardown() {
    local status=$?
    if ((status != 0)) && [[ -n ${DISPLAY:-} && -n $W32_ARTEFACTS ]]; then
        timeout 10 import -display "$DISPLAY" -window root "$W32_ARTEFACTS/teardown.png" 2>/dev/null || true
    fi
    # Only the prefix made here: a WINEPREFIX from outside is not ours to stop.
    if [[ -n $W32_PREFIX && -d $W32_PREFIX ]]; then
        WINEPREFIX=$W32_PREFIX timeout 30 wineserver -k 2>/dev/null || true
        WINEPREFIX=$W32_PREFIX timeout 30 wineserver -w 2>/dev/null || true
    fi
    local i pid
    for ((i = ${#W32_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${W32_PIDS[i]}
        kill -TERM "$pid" 2>/dev/null || continue
        if ! w32_wait_until 10 w32_not_running "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
        wait "$pid" 2>/dev/null || true
    done
    W32_PIDS=()
    if [[ -n $W32_PREFIX_OWNED ]]; then
        # The prefix names the folder under TMPDIR that held its server's
        # socket; it outlives the server, so it goes with the prefix.
        local server_dir=
        [[ -r $W32_PREFIX_OWNED/wineserver ]] && server_dir=$(<"$W32_PREFIX_OWNED/wineserver")
        if [[ $server_dir =~ ^wine-[A-Za-z0-9]+$ ]]; then
            rm -rf "${TMPDIR:-/tmp}/$server_dir"
        fi
        rm -rf "$W32_PREFIX_OWNED"
        W32_PREFIX_OWNED=
    fi
    W32_PREFIX=
    return "$status"
}
