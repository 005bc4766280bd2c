# shellcheck shell=bash
# How far a recorded wait is from the real gap between two synthetic clicks,
# the same on both builds: the real program records 201 clicks that
# click_gaps makes over a click target through XTest, with 200 gaps from
# 1 ms to 1 s between them, and each row's wait is compared with the gap
# click_gaps measured.
#
#   bench_recording ROUNDS FIGURE_COMMAND INFO_COMMAND
#
# Each round is one recording, from a fresh start, and gives one p50 and one
# p99 of |wait - gap| over its 200 gaps, handed to FIGURE_COMMAND as
# "recording.p50 MS" and "recording.p99 MS"; INFO_COMMAND gets a line on how
# sure the stamps were. Artefacts (the stamps, the errors) go to
# DESKTOP_ARTEFACTS. Needs CLICK_GAPS, desktop.sh, app.sh and a driver.

# The 200 gaps in ms, evenly spaced on a logarithmic scale from 1 to 1000,
# in an order shuffled with a fixed seed, so that a gap's length does not
# follow how far into the recording it comes.
bench__recording_gaps() {
    awk 'BEGIN {
        srand(16)
        for (i = 0; i < 200; i++) { gap[i] = 10 ^ (3 * i / 199); key[i] = rand() }
        for (i = 0; i < 200; i++)
            for (j = i + 1; j < 200; j++)
                if (key[j] < key[i]) { t = key[i]; key[i] = key[j]; key[j] = t; t = gap[i]; gap[i] = gap[j]; gap[j] = t }
        for (i = 0; i < 200; i++) printf "%.3f\n", gap[i]
    }'
}

bench__stored_rows() { app_setting Actions 2>/dev/null | grep -o -F "$APP_RECORD" | wc -l; }
bench__stored_rows_at_least() { (($(bench__stored_rows) >= $1)); }

# bench__recording_errors STAMPS: |recorded wait - real gap| in ms, one a
# line, for each gap; a press happened between its two stamps, so the real
# gap runs between their middles.
bench__recording_errors() {
    paste -d' ' <(app_setting Actions | sed "s/$APP_RECORD/\n/g; s/$APP_FIELD/|/g" | grep . | cut -d'|' -f3) "$1" |
        awk '{ mid = ($2 + $3) / 2 }
             NR > 1 { e = wait * 1000 - (mid - last) / 1e6; printf "%.4f\n", e < 0 ? -e : e }
             { wait = $1; last = mid }'
}

# Nearest rank, as the wait benchmark takes its percentiles.
bench__percentile() {
    sort -g "$1" | awk -v f="$2" '{ v[NR] = $1 } END { r = int(f * NR); if (r < f * NR) r++; if (r < 1) r = 1; print v[r] }'
}

# bench__stamp_brackets STAMPS: how long sending a press took, the widest and
# how many took over 1 ms (click_gaps held off a core meanwhile).
bench__stamp_brackets() {
    awk '{ b = ($2 - $1) / 1e6; if (b > widest) widest = b; over += b > 1 }
         END { printf "widest %.3f ms, %d of %d over 1 ms", widest, over, NR }' "$1"
}

bench_recording() {
    local rounds=$1 figure=$2 info=$3 round log target stamps errors rows
    local -a gaps
    mapfile -t gaps < <(bench__recording_gaps)
    for ((round = 1; round <= rounds; round++)); do
        log=$DESKTOP_ARTEFACTS/recording-$round.clicks.log
        stamps=$DESKTOP_ARTEFACTS/recording-$round.stamps
        errors=$DESKTOP_ARTEFACTS/recording-$round.errors
        app_start_past_tip >&2 || return 1
        : >"$log"
        app_start_click_target 1000 600 400 200 "$log"
        target=$DESKTOP_LAST_PID
        desktop_wait_window "Cursovia Click Target" "$APP_START_TIMEOUT" >/dev/null || { echo "no click target" >&2; return 1; }
        app_click "$APP_WINDOW" "${RECORD_BUTTON[@]}"
        app_wait_hidden "$APP_WINDOW" 5 || { echo "Record did not hide the window" >&2; return 1; }
        desktop_move_pointer 1200 700 || return 1
        "$CLICK_GAPS" "${gaps[@]}" >"$stamps" || { echo "click_gaps failed" >&2; return 1; }
        # Under Wine, keys reach the program only while a Wine window has the focus.
        desktop_focus "$(desktop_wait_window "Cursovia Click Target" 5)" || return 1
        xdotool key ctrl+s
        app_wait_viewable "$APP_WINDOW" 10 || { echo "the stop key did not end the recording" >&2; return 1; }
        desktop_wait_until 10 bench__stored_rows_at_least 201 || true
        rows=$(bench__stored_rows)
        ((rows == 201)) || { echo "round $round: $rows rows recorded from 201 clicks" >&2; return 1; }
        bench__recording_errors "$stamps" >"$errors"
        "$figure" recording.p50 "$(bench__percentile "$errors" 0.50)"
        "$figure" recording.p99 "$(bench__percentile "$errors" 0.99)"
        "$info" "recording round $round, the time click_gaps took to send each press (the real moment lies within it): $(bench__stamp_brackets "$stamps")"
        app_kill
        desktop_stop "$target"
    done
}
