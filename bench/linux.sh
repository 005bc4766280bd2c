#!/usr/bin/env bash
# The Linux figures, on a private desktop (Xvfb, openbox, trayer): the wait
# benchmarks on QtEventLoop, then the real cursovia binary driven from
# outside for start-up, memory, click throughput, stop latency and how
# closely a recording keeps the gaps between clicks.
#
#   bench/linux.sh BUILD_DIR RAW_FILE
#
# BUILD_DIR is a build with -DCURSOVIA_BENCH=ON. Appends "KEY VALUE" and
# "info TEXT" lines to RAW_FILE (see bench/report.sh). BENCH_ROUNDS (default
# 3) sets how often each figure is taken; artefacts go to BUILD_DIR/artefacts.
set -uo pipefail

if (($# != 2)) || [[ ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR RAW_FILE" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
RAW=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$here/.." && pwd)
ROUNDS=${BENCH_ROUNDS:-3}
STOPS=${BENCH_STOPS:-20}

CURSOVIA=$build/src/platform/linux/cursovia
WAIT_BENCH=$build/bench/wait_bench
X_EVENT_TIMES=$build/bench/x_event_times
CLICK_GAPS=$build/bench/click_gaps
E2E_TOOLS_DIR=$build/bench/e2e-tools
CLICK_TARGET=$E2E_TOOLS_DIR/click_target
export E2E_TOOLS_DIR
for program in "$CURSOVIA" "$WAIT_BENCH" "$X_EVENT_TIMES" "$CLICK_TARGET" "$CLICK_GAPS"; do
    [[ -x $program ]] || { echo "missing $program: build first" >&2; exit 1; }
done

# shellcheck source=../tests/e2e/lib/desktop.sh
source "$repo_root/tests/e2e/lib/desktop.sh"
# shellcheck source=../tests/e2e/lib/app.sh
source "$repo_root/tests/e2e/lib/app.sh"
# shellcheck source=../tests/e2e/linux/driver.sh
source "$repo_root/tests/e2e/linux/driver.sh"
# shellcheck source=app.sh
source "$here/app.sh"
# shellcheck source=recording.sh
source "$here/recording.sh"

figure() { printf 'linux.%s %s\n' "$1" "$2" >>"$RAW"; }
info() { printf 'info %s\n' "$*" >>"$RAW"; }
info_linux() { info "Linux, $*"; }
fail() {
    echo "bench/linux.sh: $*" >&2
    exit 1
}

# The click target sits below where openbox places the main window; the
# rows click ten points spread over it.
TARGET=(200 760 1400 240)
POINTS=()
for i in 0 1 2 3 4 5 6 7 8 9; do
    POINTS+=("$((TARGET[0] + 70 + i * 140)) $((TARGET[1] + 60 + (i % 2) * 120))")
done

rows_of() {
    local wait=$1 kind=$2 point rows=
    for point in "${POINTS[@]}"; do
        # shellcheck disable=SC2086 # "X Y"
        rows+=$(bench_row $point "$wait" "$kind")
    done
    printf '%s' "$rows"
}

# many_rows COUNT: that many "No Action" rows, as the list of a heavy user.
many_rows() {
    awk -v count="$1" -v field="$FIELD" -v record="$RECORD" 'BEGIN {
        for (i = 0; i < count; i++)
            printf "%d%s%d%s2%sNo Action%s", 10 + i % 1900, field, 10 + i % 1060, field, field, record
    }'
}

wait_benchmarks() {
    local prefix='$1 == "info" { print "info Linux, " substr($0, 6); next } { print "linux." $0 }'
    echo "wait precision on QtEventLoop ($ROUNDS rounds)"
    "$WAIT_BENCH" precision "$ROUNDS" 2>>"$DESKTOP_ARTEFACTS/wait_bench.log" | awk "$prefix" >>"$RAW" ||
        fail "wait_bench precision failed"
    echo "processor share while waiting ($ROUNDS rounds of 5 s, and as long busy-polling)"
    "$WAIT_BENCH" cpu "$ROUNDS" 5 2>>"$DESKTOP_ARTEFACTS/wait_bench.log" | awk "$prefix" >>"$RAW" ||
        fail "wait_bench cpu failed"
    echo "what position and wait jitter add to a step ($ROUNDS rounds)"
    "$WAIT_BENCH" jitter "$ROUNDS" 2>>"$DESKTOP_ARTEFACTS/wait_bench.log" | awk "$prefix" >>"$RAW" ||
        fail "wait_bench jitter failed"
}

# startup LABEL ROWS: time to the mapped window and resident memory, ROUNDS
# starts after one that only warms the page cache.
startup() {
    local label=$1 rows=$2 round spawned mapped
    echo "start-up and memory, $label ($ROUNDS starts after a warm-up start)"
    for ((round = 0; round <= ROUNDS; round++)); do
        bench_app_start "$rows" || fail "start-up, $label: the program did not start"
        spawned=$(bench_event_time spawn)
        mapped=$(bench_event_time map "$APP_WINDOW")
        desktop_wait_tray_icon cursovia 10 >/dev/null || fail "start-up, $label: no tray icon"
        sleep 0.5
        if ((round > 0)); then
            figure "startup.$label" "$(bench_ms "$spawned" "$mapped")"
            figure "rss.$label" "$(bench_rss_mb)"
        fi
        ((round == ROUNDS)) && info "Linux, resident memory, $label, last start: $(bench_rss_parts)"
        bench_app_stop
    done
}

# placement LOG FROM_LINE: how the clicks logged after FROM_LINE landed. A
# release whose press came before FROM_LINE is counted but not judged.
placement() {
    tail -n +$(($2 + 1)) "$1" | awk -v points="${POINTS[*]}" '
        BEGIN { n = split(points, p, " "); for (i = 1; i < n; i += 2) aimed[p[i] " " p[i + 1]] = 1 }
        $1 == "press" { presses++; at = $3 " " $4; if (!(at in aimed)) off++ }
        $1 == "release" { releases++; if (presses && $3 " " $4 != at) away++ }
        END { printf "%d presses, %d releases, %d presses off the ten points, %d releases away from their press",
                     presses, releases, off, away }'
}

# hold_rows: at each of the ten points a zero-wait Left Down and a Left Up,
# a hold of no length.
hold_rows() {
    local point rows=
    for point in "${POINTS[@]}"; do
        # shellcheck disable=SC2086 # "X Y"
        rows+=$(bench_row $point 0 "Left Down")$(bench_row $point 0 "Left Up")
    done
    printf '%s' "$rows"
}

# presses LOG BUTTON: the presses of that button in the click target's log.
presses() { grep -c "^press $2 " "$1"; }
presses_at_least() { (($(presses "$1" "$2") >= $3)); }

# The kinds other than Single Click, each replayed as zero-wait rows over
# the ten points: KEY|KIND|BUTTON|ROWS PER PRESS. A double click presses
# twice per row; a hold takes two rows, Left Down and Left Up, per press.
OTHER_KINDS=(
    "double_click|Double Click|1|0.5"
    "right_click|Right Click|3|1"
    "middle_click|Middle Click|2|1"
    "right_double_click|Right Double Click|3|0.5"
    "scroll_up|Scroll Up|4|1"
    "scroll_down|Scroll Down|5|1"
    "hold|Left Down, Left Up|1|2"
)

# cursovia_throughput LOG KEY ROWS BUTTON ROWS_PER_PRESS: rows carried out
# per second over intervals of a running zero-wait run, counted from the
# presses of BUTTON in the click target's log.
cursovia_throughput() {
    local log=$1 key=$2 rows=$3 button=$4 per_press=$5 round n0 n1 t0 t1 from
    bench_app_start "$rows" || fail "throughput, $key: the program did not start"
    bench_click_start
    # The first run of a start shows the tray balloon for 5 s before its first move.
    desktop_wait_until 20 presses_at_least "$log" "$button" $(($(presses "$log" "$button") + 1)) ||
        fail "throughput, $key: no click arrived"
    sleep 0.5
    echo "throughput: cursovia, $key, $ROUNDS intervals of 2 s"
    from=$(wc -l <"$log")
    for ((round = 1; round <= ROUNDS; round++)); do
        n0=$(presses "$log" "$button") t0=$(bench_now_ns)
        sleep 2
        n1=$(presses "$log" "$button") t1=$(bench_now_ns)
        figure "throughput.$key" "$(bench_per_second "$(awk -v n=$((n1 - n0)) -v r="$per_press" 'BEGIN { print n * r }')" "$t0" "$t1")"
    done
    info "Linux, cursovia zero-wait run, $key, clicks while measured: $(placement "$log" "$from")"
}

# Every other kind at the rate of Single Click: one program start each.
other_kinds_throughput() {
    local log=$1 entry key kind button per_press rows
    for entry in "${OTHER_KINDS[@]}"; do
        IFS='|' read -r key kind button per_press <<<"$entry"
        if [[ $key == hold ]]; then rows=$(hold_rows); else rows=$(rows_of 0 "$kind"); fi
        cursovia_throughput "$log" "kind.$key" "$rows" "$button" "$per_press"
        bench_stop_run || fail "throughput, $key: Ctrl+S did not end the run"
        bench_app_stop
    done
}

# xdotool_chain REPEATS CLICK...: the arguments of one xdotool command that
# moves to each of the ten points and clicks there with CLICK, REPEATS times.
xdotool_chain() {
    local repeats=$1 i point
    shift
    for ((i = 0; i < repeats; i++)); do
        for point in "${POINTS[@]}"; do printf 'mousemove %s %s ' "$point" "$*"; done
    done
}

# xdotool doing the same: N actions in one command, timed from its start to
# its end; the clicks are then checked in the log.
xdotool_throughput() {
    local log=$1 key=$2 count=$3 round n0 t0 t1 arrived
    shift 3
    echo "throughput: xdotool $key, $ROUNDS runs of $count"
    local from
    from=$(wc -l <"$log")
    for ((round = 1; round <= ROUNDS; round++)); do
        n0=$(bench_clicks "$log") t0=$(bench_now_ns)
        xdotool "$@" || fail "xdotool $key failed"
        t1=$(bench_now_ns)
        bench_wait_clicks "$log" $((n0 + count)) 10
        arrived=$(($(bench_clicks "$log") - n0))
        figure "throughput.xdotool_$key" "$(bench_per_second "$arrived" "$t0" "$t1")"
    done
    info "Linux, xdotool $key, $ROUNDS x $count clicks sent: $(placement "$log" "$from")"
}

# stop_latency KEY LOG CLICKS_BEFORE_STOP SETTLE: one run per stop, started
# with the button; Ctrl+S (xdotool) once CLICKS_BEFORE_STOP more clicks
# arrived and SETTLE seconds passed. From the server reporting the S press to
# the main window mapped again.
stop_latency() {
    local key=$1 log=$2 clicks=$3 settle=$4 round lines n pressed mapped changed
    echo "stop latency, $key: $STOPS stops"
    for ((round = 1; round <= STOPS; round++)); do
        lines=$(bench_event_lines)
        n=$(bench_clicks "$log")
        bench_click_start
        bench_wait_event 5 unmap "$APP_WINDOW" "$lines" || fail "stop latency, $key: the run did not start"
        bench_wait_clicks "$log" $((n + clicks)) 10 || fail "stop latency, $key: the run does not click"
        sleep "$settle"
        lines=$(bench_event_lines)
        xdotool key ctrl+s
        bench_wait_event 5 map "$APP_WINDOW" "$lines" || fail "stop latency, $key: Ctrl+S did not end the run"
        pressed=$(bench_event_line "key s" "" "$lines") || fail "stop latency, $key: the S press was not recorded"
        mapped=$(bench_event_time map "$APP_WINDOW" "$pressed")
        changed=$(bench_event_time property "$APP_WINDOW" "$pressed") ||
            fail "stop latency, $key: no change of the window was recorded"
        pressed=$(bench_event_time "key s" "" "$lines")
        figure "stop.$key" "$(bench_ms "$pressed" "$mapped")"
        figure "stop.$key.program" "$(bench_ms "$pressed" "$changed")"
    done
}

app_benchmarks() {
    local log=$DESKTOP_ARTEFACTS/clicks.log
    startup empty ""
    startup 10000_rows "$(many_rows 10000)"

    : >"$log"
    desktop_spawn click_target "$CLICK_TARGET" "${TARGET[@]}" "$log"
    desktop_wait_window "Cursovia Click Target" 10 >/dev/null || fail "the click target did not appear"

    cursovia_throughput "$log" cursovia "$(rows_of 0 "Single Click")" 1 1
    bench_stop_run || fail "throughput: Ctrl+S did not end the run"
    stop_latency zero_wait "$log" 50 0
    bench_app_stop

    # xdotool's click pauses for its --delay (100 ms unless told) after every
    # click, also a single one: chained as written (20 actions, 2 s), and
    # without the pause.
    local chain fast_chain
    read -ra chain <<<"$(xdotool_chain 2 click 1)"
    read -ra fast_chain <<<"$(xdotool_chain 20 click --delay 0 1)"
    xdotool_throughput "$log" chain 20 "${chain[@]}"
    xdotool_throughput "$log" chain_no_delay 200 "${fast_chain[@]}"
    xdotool_throughput "$log" repeat 200 click --repeat 200 --delay 0 1

    bench_app_start "$(bench_row "${POINTS[0]% *}" "${POINTS[0]#* }" 60 "Single Click")" ||
        fail "long wait: the program did not start"
    bench_click_start
    bench_wait_clicks "$log" $(($(bench_clicks "$log") + 1)) 20 || fail "long wait: no click arrived"
    bench_stop_run || fail "long wait: Ctrl+S did not end the run"
    stop_latency long_wait "$log" 1 0.2
    bench_app_stop

    # Last, so that the figures above are taken in the order they always were.
    other_kinds_throughput "$log"
}

desktop_start "$build/artefacts/linux" || fail "the private desktop did not start"
wait_benchmarks
# Before the others, whose click target stays open: it has one of its own.
echo "recorded waits against the real gaps between synthetic clicks ($ROUNDS recordings of 200 gaps)"
bench_recording "$ROUNDS" figure info_linux || fail "the recording benchmark did not run to the end"
app_benchmarks
