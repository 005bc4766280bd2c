#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# shellcheck disable=SC2317 # scenarios are called by name
# Cursovia's Linux end-to-end tests: the real binary on a private Xvfb
# desktop (openbox, trayer), driven from outside with xdotool, each scenario
# with a fresh HOME. The scenarios both builds share are in
# tests/e2e/lib/scenarios.sh; the Linux-only ones are here.
#
#   tests/e2e/linux/run.sh PATH/TO/cursovia PATH/TO/click_target
#
# click_target's folder must also hold the other tools of tests/e2e/tools.
# Logs and screenshots go to $E2E_ARTEFACTS (default build/e2e-artefacts/linux),
# one folder per scenario; E2E_ONLY="name ..." runs only the scenarios named
# (scenario_NAME). The last line is "N passed, M failed"; the exit status is
# non-zero when anything failed.
set -u

if (($# != 2)) || [[ ! -x $1 || ! -x $2 ]]; then
    echo "usage: $0 PATH/TO/cursovia PATH/TO/click_target" >&2
    exit 2
fi
CURSOVIA=$(realpath "$1")
CLICK_TARGET=$(realpath "$2")
E2E_TOOLS_DIR=$(dirname "$CLICK_TARGET")
export E2E_TOOLS_DIR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lib=$here/../lib
repo_root=$(cd "$here/../../.." && pwd)
# shellcheck source=../lib/desktop.sh
source "$lib/desktop.sh"
# shellcheck source=../lib/app.sh
source "$lib/app.sh"
# shellcheck source=driver.sh
source "$here/driver.sh"
# shellcheck source=../lib/scenarios.sh
source "$lib/scenarios.sh"
# shellcheck source=../lib/runner.sh
source "$lib/runner.sh"
e2e_artefacts "$repo_root/build/e2e-artefacts/linux"

KILL_SOAK_ROUNDS=30

# Minimising hides the window in the tray; a click on the icon brings it back.
scenario_tray_restore() {
    local icon
    app_start_past_tip || return 1
    icon=$(desktop_wait_tray_icon cursovia 10) || { echo "no tray icon"; return 1; }
    xdotool windowminimize "$APP_WINDOW"
    app_wait_hidden "$APP_WINDOW" 5 || { echo "minimising did not hide the window"; return 1; }
    app__main_window >/dev/null && { echo "the window is still on the screen"; return 1; }
    desktop_click_window_centre "$icon" 1
    app_wait_viewable "$APP_WINDOW" 5 || { echo "a click on the tray icon did not bring the window back"; return 1; }
    desktop_wait_until 5 desktop_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
}

# Prints "X Y W H" of the first viewable window of the program other than the one given.
other_app_window_box() {
    local wid
    for wid in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        [[ $wid == "$1" ]] && continue
        desktop_window_box "$wid" && return 0
    done
    return 1
}

MINIMIZED_BOX=(60 317) # Check8, "Minimized to system tray", shown once Check4 is ticked

# Started hidden in the tray, the program shows its one-time balloon by the
# icon, not at the screen's corner where the icon sits before trayer embeds
# it. Qt moves its balloon along only when the tray stretches the icon; the
# desktop's 24-pixel panel leaves the icon its size, so the fault would show.
scenario_start_hidden_balloon() {
    local icon ix iy iw ih cx cy bx by bw bh margin=48
    app_start_past_tip || return 1
    app_click "$APP_WINDOW" "${STARTUP_BOX[@]}"
    app_click "$APP_WINDOW" "${MINIMIZED_BOX[@]}"
    app_wait_setting Minimized On 5 || { echo "Check8 stored Minimized='$(app_setting Minimized)'"; return 1; }
    app_close "$APP_WINDOW" || { echo "the program did not end when its window closed"; return 1; }
    app_start
    icon=$(desktop_wait_tray_icon cursovia 10) || { echo "no tray icon on the hidden start"; return 1; }
    desktop_wait_until 4 other_app_window_box "$icon" >/dev/null || { echo "no balloon appeared"; return 1; }
    read -r bx by bw bh < <(other_app_window_box "$icon")
    desktop_screenshot balloon.png
    ((bw != APP_WIDTH || bh != APP_HEIGHT)) || { echo "the main window appeared instead of hiding in the tray"; return 1; }
    read -r ix iy iw ih < <(desktop_window_box "$icon")
    cx=$((ix + iw / 2)) cy=$((iy + ih / 2))
    ((cx >= bx - margin && cx <= bx + bw + margin && cy >= by - margin && cy <= by + bh + margin)) ||
        { echo "the balloon is at ${bw}x${bh}+$bx+$by, the icon's centre at $cx,$cy"; return 1; }
}

# The program takes no command line: Qt's own options on it are not Qt's, so
# the window is still an X11 window on this display.
scenario_toolkit_options_ignored() {
    local tip
    desktop_new_home
    app_start -platform offscreen
    tip=$(app_wait_message_box 10) || { echo "no first-start tip on the X display with -platform offscreen"; return 1; }
    app_dismiss "$tip" || { echo "the tip did not close"; return 1; }
    app_wait_main_window 10 >/dev/null || { echo "no main window on the X display with -platform offscreen"; return 1; }
}

scenarios=(first_start capture_and_add chosen_keys reorder_rows run_and_stop double_click tray_restore start_hidden_balloon
    kill_after_add one_copy kill_soak logon_entry toolkit_options_ignored screenshot every_kind n_times stop_while_held
    run_options_survive_restart record_and_replay)
source "$here/cases_integration.sh"
e2e_suite true "${scenarios[@]}"
