# shellcheck shell=bash
# shellcheck disable=SC2034,SC2119,SC2120 # a library: its variables and optional arguments serve the scripts that source it
# The Windows build under Wine, under tests/e2e/lib/app.sh: settings and the
# log-on entry in the registry of the one prefix all cases share.
# Needs CURSOVIA_EXE and CLICK_TARGET_EXE, and wine.sh sourced.

readonly CURSOVIA_KEY='HKCU\Software\Kelvardo\Cursovia'
readonly CURSOVIA_RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
APP_TRAY_CLASS=explorer.exe
APP_START_TIMEOUT=30

app_start() {
    w32_run "$CURSOVIA_EXE"
    APP_PID=$DESKTOP_LAST_PID
}

app_fresh_settings() {
    timeout 60 wine "$W32_REG_EXE" delete 'HKCU\Software\Kelvardo' /f >/dev/null 2>&1
    timeout 60 wine "$W32_REG_EXE" delete "$CURSOVIA_RUN_KEY" /v Cursovia.exe /f >/dev/null 2>&1
    return 0
}

app_setting() { w32_reg_query "$CURSOVIA_KEY" "$1"; }

app_logon_entry() { w32_reg_query "$CURSOVIA_RUN_KEY" Cursovia.exe; }

app_logon_command() { printf '"%s"\n' "$(w32_winpath "$CURSOVIA_EXE")"; }

# click_target.exe places its outer rectangle at X,Y and logs in screen
# coordinates.
app_start_click_target() {
    w32_run "$CLICK_TARGET_EXE" "$1" "$2" "$3" "$4" "$(w32_winpath "$5")"
}

# The window class asks for double clicks (CS_DBLCLKS), so the system itself
# says which press is the second of one: WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK...
# The time is the message's, GetMessageTime.
app_timed_pointer_events() {
    tr -d '\r' <"$1" | awk '
        BEGIN { button["L"] = 1; button["M"] = 2; button["R"] = 3 }
        $1 ~ /^WM_[LMR]BUTTON(DOWN|UP|DBLCLK)$/ {
            what = $1 ~ /DOWN$/ ? "down" : $1 ~ /UP$/ ? "up" : "double"
            print what, button[substr($1, 4, 1)], $2, $3, $4
        }
        $1 == "WM_MOUSEMOVE_LBUTTON" { print "drag", $2, $3, $4 }
        $1 == "WM_MOUSEWHEEL_UP" { print "wheel up", $2, $3, $4 }
        $1 == "WM_MOUSEWHEEL_DOWN" { print "wheel down", $2, $3, $4 }'
}
