# shellcheck shell=bash
# Driving the real cursovia binary for the benchmarks, on the desktop of
# tests/e2e/lib/desktop.sh, with the helpers of tests/e2e/lib/app.sh.
# Every start goes through x_event_times, which records on the monotonic
# clock when the program was started, when its windows were mapped and
# unmapped, and when keys were pressed.
#
#   bench_row X Y WAIT KIND       one row of the "Actions" setting
#   bench_app_start ROWS          fresh HOME with the rows preloaded, start; sets APP_PID,
#                                 APP_WINDOW (the main window) and BENCH_EVENTS (the log)
#   bench_app_stop                SIGTERM, waits for the exit, stops the recorder
#   bench_event_time KIND [WINDOW] [AFTER_LINE]  time (ns) of the first such event
#   bench_event_line KIND [WINDOW] [AFTER_LINE]  its line in the log
#   bench_wait_event S KIND [WINDOW] [AFTER_LINE] waits up to S seconds for such an event
#   bench_click_start             clicks the start/stop button of the main window
#   bench_stop_run                Ctrl+S, waits until the main window is mapped again
#   bench_clicks LOG              presses counted in a click_target log
#   bench_wait_clicks LOG N S     waits up to S seconds for N presses in the log
#   bench_rss_mb, bench_rss_parts resident memory of APP_PID
#   bench_now_ns                  wall clock in nanoseconds, for intervals
#   bench_ms FROM TO, bench_per_second COUNT FROM TO   arithmetic on those
#
# Needs CURSOVIA, X_EVENT_TIMES, the functions of desktop.sh and app.sh.

BENCH_RECORDER_PID=
BENCH_EVENTS=
BENCH_LAUNCHES=0
BENCH_START_BUTTON=(262 361) # PushButton5 in the main window's client area

FIELD='||MySeparator12||'
RECORD='||MySeparator23||'

# bench_row X Y WAIT KIND: one row of the "Actions" setting.
bench_row() { printf '%s%s%s%s%s%s%s%s' "$1" "$FIELD" "$2" "$FIELD" "$3" "$FIELD" "$4" "$RECORD"; }

bench_now_ns() { printf '%s000' "${EPOCHREALTIME//[!0-9]/}"; }

# The settings the program keeps, as QtSettingsStore writes them: a start
# past the first (Loads), so no first-start tip, running from the first row.
bench__write_settings() {
    local rows=$1 dir=$XDG_CONFIG_HOME/Kelvardo
    mkdir -p "$dir"
    printf '[Cursovia]\nLoads=5\nWait=0\nOption4=1\nOption5=0\nActions=%s\n' "$rows" >"$dir/Cursovia.ini"
}

bench__spawned_pid() { awk '$2 == "spawn" { print $3; found = 1; exit } END { exit !found }' "$BENCH_EVENTS"; }

# bench_event_time KIND [CLIENT_WINDOW] [AFTER_LINE]
# Prints the time of the first KIND event ("map", "unmap", "property",
# "key s", "exit") of that client window (or process) after line AFTER_LINE
# of the log; bench_event_line prints its line number instead.
bench__event() {
    local what=$1 kind=$2 window=${3:-} after=${4:-0}
    awk -v what="$what" -v kind="$kind" -v window="$window" -v after="$after" '
        function found() { print (what == "line" ? NR : $1); hit = 1; exit }
        NR <= after { next }
        kind == "key s" && $2 == "key" && $3 == "s" { found() }
        $2 == kind && (window == "" || $4 == window || $3 == window) { found() }
        END { exit !hit }' "$BENCH_EVENTS"
}
bench_event_time() { bench__event time "$@"; }
bench_event_line() { bench__event line "$@"; }

bench__has_event() { bench_event_time "$@" >/dev/null; }
bench_wait_event() {
    local timeout=$1
    shift
    desktop_wait_until "$timeout" bench__has_event "$@"
}

bench_event_lines() { wc -l <"$BENCH_EVENTS"; }

bench_app_start() {
    local name
    BENCH_LAUNCHES=$((BENCH_LAUNCHES + 1))
    name=cursovia-$BENCH_LAUNCHES
    desktop_new_home
    bench__write_settings "$1"
    # The recorder's output is the event log; the program's goes apart.
    desktop_spawn "$name" bash -c 'exec "$@" 2>"$0"' "$DESKTOP_ARTEFACTS/$name.stderr" \
        "$X_EVENT_TIMES" --launch "$CURSOVIA"
    BENCH_RECORDER_PID=$DESKTOP_LAST_PID
    BENCH_EVENTS=$DESKTOP_ARTEFACTS/$name.log
    desktop_wait_until 10 bench__spawned_pid || { echo "the recorder did not start cursovia" >&2; return 1; }
    APP_PID=$(bench__spawned_pid)
    APP_WINDOW=$(app_wait_main_window 30) || { echo "no main window" >&2; return 1; }
    bench_wait_event 10 map "$APP_WINDOW" || { echo "the recorder saw no map of the main window" >&2; return 1; }
}

bench_app_stop() {
    kill -TERM "$APP_PID" 2>/dev/null
    bench_wait_event 10 exit "$APP_PID" || { kill -KILL "$APP_PID" 2>/dev/null; bench_wait_event 5 exit "$APP_PID"; }
    desktop_stop "$BENCH_RECORDER_PID"
}

# Ends the run with Ctrl+S and waits until the main window is back.
bench_stop_run() {
    local lines
    lines=$(bench_event_lines)
    xdotool key ctrl+s
    bench_wait_event 10 map "$APP_WINDOW" "$lines"
}

bench_click_start() {
    local x y
    read -r x y _ _ < <(desktop_window_box "$APP_WINDOW") || return 1
    xdotool mousemove $((x + BENCH_START_BUTTON[0])) $((y + BENCH_START_BUTTON[1])) click 1
}

bench_clicks() { grep -c '^press 1 ' "$1"; }
bench__clicks_at_least() { (($(bench_clicks "$1") >= $2)); }
bench_wait_clicks() { desktop_wait_until "$3" bench__clicks_at_least "$1" "$2"; }

# bench_ms FROM_NS TO_NS: milliseconds between two times, three decimals.
bench_ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e6 }'; }
# bench_per_second COUNT FROM_NS TO_NS: COUNT over that time, per second.
bench_per_second() { awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { printf "%.1f", n * 1e9 / (b - a) }'; }

# Resident memory of APP_PID in MB (10^6 bytes), and its parts.
bench_rss_mb() { awk '/^VmRSS:/ { printf "%.3f", $2 * 1024 / 1e6 }' "/proc/$APP_PID/status"; }
bench_rss_parts() { awk '/^Rss(Anon|File|Shmem):/ { printf "%s%s %.1f MB", sep, $1, $2 * 1024 / 1e6; sep = ", " }' "/proc/$APP_PID/status"; }
