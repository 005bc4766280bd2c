# shellcheck shell=bash
# shellcheck disable=SC2034,SC2119,SC2120 # a library: its variables and optional arguments serve the scripts that source it
# The Linux build under tests/e2e/lib/app.sh: each start in the current HOME,
# settings in Qt's INI file, the log-on entry an XDG autostart file.
# Needs CURSOVIA (the binary) and CLICK_TARGET (tests/e2e/tools/click_target).

APP_TRAY_CLASS=cursovia
APP_START_TIMEOUT=10

app_start() {
    desktop_spawn cursovia "$CURSOVIA" "$@"
    APP_PID=$DESKTOP_LAST_PID
}

app_fresh_settings() { desktop_new_home; }

# The value of KEY in the [Cursovia] group of the INI file Qt keeps the
# settings in; fails when the file or the key is not there. Qt writes a blank
# in a key as %20; the values the tests use need no INI quoting.
app_setting() {
    local file=$XDG_CONFIG_HOME/Kelvardo/Cursovia.ini
    [[ -f $file ]] || return 1
    awk -v key="${1// /%20}" '
        /^\[/ { group = $0; next }
        group == "[Cursovia]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1; exit }
        END { exit !found }' "$file"
}

# The Exec line of the autostart file, named after the executable.
app_logon_entry() {
    local file
    file=$XDG_CONFIG_HOME/autostart/$(basename "$CURSOVIA").desktop
    [[ -f $file ]] || return 1
    sed -n 's/^Exec=//p' "$file" | grep .
}

# The program's own path; the test build's path needs no quoting.
app_logon_command() { printf '%s\n' "$CURSOVIA"; }

# click_target places its client area at X,Y.
app_start_click_target() {
    desktop_spawn click_target "$CLICK_TARGET" "$@"
}

# click_target logs "press|release|motion BUTTON ROOT_X ROOT_Y SERVER_TIME_MS".
# A press is the second of a double click as Qt and GTK decide it: within
# 400 ms and less than 5 pixels each way of the press of the same button
# before, which was not itself the second of one. Buttons 4 and 5 are the wheel.
app_timed_pointer_events() {
    awk '
        function abs(v) { return v < 0 ? -v : v }
        ($2 == 4 || $2 == 5) { if ($1 == "press") print "wheel", ($2 == 4 ? "up" : "down"), $3, $4, $5; next }
        $1 == "motion" { if ($2 == 1) print "drag", $3, $4, $5; next }
        $1 == "release" { print "up", $2, $3, $4, $5; next }
        $1 == "press" {
            b = $2
            second = pressed[b] && !was_second[b] && $5 - at[b] < 400 && abs($3 - x[b]) < 5 && abs($4 - y[b]) < 5
            print (second ? "double" : "down"), b, $3, $4, $5
            pressed[b] = 1; was_second[b] = second; at[b] = $5; x[b] = $3; y[b] = $4
        }' "$1"
}
