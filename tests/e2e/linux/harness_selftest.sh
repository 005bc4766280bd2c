#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Checks the Linux end-to-end harness itself: the private desktop comes up
# with a tray host, clicks sent with xdotool land in the click target at the
# expected root coordinates, screenshots work, and the driver tells double
# clicks from pairs of clicks.
#
#   tests/e2e/linux/harness_selftest.sh
#
# E2E_TOOLS_DIR  built tests/e2e/tools (default: built into build/e2e-tools)
# E2E_ARTEFACTS  logs and screenshots (default: build/e2e-artefacts/harness_selftest)
set -u

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)

if [[ -z ${E2E_TOOLS_DIR:-} ]]; then
    E2E_TOOLS_DIR=$repo_root/build/e2e-tools
    if ! cmake -S "$repo_root/tests/e2e/tools" -B "$E2E_TOOLS_DIR" -DCMAKE_BUILD_TYPE=Release >/dev/null ||
        ! cmake --build "$E2E_TOOLS_DIR" -j2 >/dev/null; then
        echo "building e2e tools failed" >&2
        exit 2
    fi
fi
export E2E_TOOLS_DIR
artefacts=${E2E_ARTEFACTS:-$repo_root/build/e2e-artefacts/harness_selftest}
rm -rf "$artefacts"

# shellcheck source=../lib/desktop.sh
source "$repo_root/tests/e2e/lib/desktop.sh"
# shellcheck source=../lib/app.sh
source "$repo_root/tests/e2e/lib/app.sh"
# shellcheck source=driver.sh
source "$repo_root/tests/e2e/linux/driver.sh"

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1: $2"; }

desktop_start "$artefacts" || { echo "0 passed, 1 failed (desktop did not start)"; exit 1; }

check_tray_host() {
    local owner owner_pid
    owner=$("$E2E_TOOLS_DIR/x_selection_owner" _NET_SYSTEM_TRAY_S0) ||
        { fail "tray host" "nobody owns _NET_SYSTEM_TRAY_S0"; return; }
    owner_pid=$(xprop -id "$owner" _NET_WM_PID | awk '{ print $NF }')
    [[ $owner_pid == "$DESKTOP_TRAY_PID" ]] ||
        { fail "tray host" "tray selection owned by pid '$owner_pid', trayer is $DESKTOP_TRAY_PID"; return; }
    xdotool search --onlyvisible --pid "$DESKTOP_TRAY_PID" >/dev/null ||
        { fail "tray host" "trayer has no visible window"; return; }
    pass "tray host"
}

target_x=400 target_y=300 target_w=640 target_h=360
click_log=$artefacts/clicks.log
: >"$click_log"
desktop_spawn click_target "$E2E_TOOLS_DIR/click_target" \
    "$target_x" "$target_y" "$target_w" "$target_h" "$click_log"
target_window=$(desktop_wait_window "Cursovia Click Target" 10) || {
    fail "click target window" "never appeared"
    echo "$passed passed, $failed failed"
    exit 1
}

# The client area itself must sit at the requested root position, frame
# decorations around it; tests compute click points from it.
check_target_geometry() {
    local geometry
    geometry=$(desktop_window_box "$target_window")
    if [[ $geometry == "$target_x $target_y $target_w $target_h" ]]; then
        pass "click target geometry"
    else
        fail "click target geometry" "x y w h = $geometry"
    fi
}

# Each case: name | clicks as "X Y BUTTON REPEAT" separated by ';' | expected
# log lines, without their time, separated by ';'. A click outside the target followed by one
# inside proves the outside one was not recorded, without waiting blindly.
click_cases=(
    "left click in the middle|700 480 1 1|press 1 700 480;release 1 700 480"
    "right click|512 333 3 1|press 3 512 333;release 3 512 333"
    "double click gives two pairs|800 600 1 2|press 1 800 600;release 1 800 600;press 1 800 600;release 1 800 600"
    "top-left pixel is inside|400 300 1 1|press 1 400 300;release 1 400 300"
    "bottom-right pixel is inside|1039 659 1 1|press 1 1039 659;release 1 1039 659"
    "left and below the edges are outside|399 450 1 1;700 660 1 1;401 451 1 1|press 1 401 451;release 1 401 451"
)

has_lines() { (($(wc -l <"$1") >= $2)); }

run_click_case() {
    local name=$1 clicks=$2 expected=$3 click x y button repeat
    local before expected_lines actual
    before=$(wc -l <"$click_log")
    IFS=';' read -ra expected_lines <<<"$expected"
    IFS=';' read -ra click <<<"$clicks"
    for click in "${click[@]}"; do
        read -r x y button repeat <<<"$click"
        desktop_click "$x" "$y" "$button" "$repeat"
    done
    desktop_wait_until 5 has_lines "$click_log" $((before + ${#expected_lines[@]}))
    actual=$(tail -n +$((before + 1)) "$click_log" | cut -d' ' -f1-4)
    if [[ $actual == "$(printf '%s\n' "${expected_lines[@]}")" ]]; then
        pass "$name"
    else
        fail "$name" "log shows [${actual//$'\n'/; }]"
    fi
}

# An icon docked through the system tray protocol must get embedded by
# trayer, be found by class, and receive a click on its centre.
check_tray_icon_click() {
    local tray_log=$artefacts/tray_clicks.log icon x y w h expected
    : >"$tray_log"
    desktop_spawn tray_click_target "$E2E_TOOLS_DIR/click_target" --tray "$tray_log"
    icon=$(desktop_wait_tray_icon click_target 10) || { fail "tray icon click" "icon never embedded"; return; }
    read -r x y w h < <(desktop_window_box "$icon")
    desktop_click_window_centre "$icon" 1
    expected=$(printf 'press 1 %d %d\nrelease 1 %d %d' $((x + w / 2)) $((y + h / 2)) $((x + w / 2)) $((y + h / 2)))
    desktop_wait_until 5 has_lines "$tray_log" 2
    if [[ $(cut -d' ' -f1-4 "$tray_log") == "$expected" ]]; then
        pass "tray icon click"
    else
        fail "tray icon click" "icon ${w}x${h}+$x+$y, log shows [$(tr '\n' ';' <"$tray_log")]"
    fi
}

# Each test gets its own empty home; Qt insists on a private runtime dir.
check_fresh_homes() {
    desktop_new_home
    local first=$HOME
    echo "stale" >"$XDG_CONFIG_HOME/leftover"
    desktop_new_home
    local problems=()
    [[ $HOME != "$first" ]] || problems+=("same HOME twice")
    [[ $XDG_CONFIG_HOME == "$HOME"/* && -z $(ls -A "$XDG_CONFIG_HOME") ]] || problems+=("config dir not fresh")
    [[ $(stat -c %a "$XDG_RUNTIME_DIR") == 700 ]] || problems+=("runtime dir not private")
    if ((${#problems[@]} == 0)); then
        pass "fresh homes"
    else
        fail "fresh homes" "${problems[*]}"
    fi
}

# The Linux driver decides, from the X server's times in the click log, which
# press a toolkit takes as the second of a double click.
# name | log lines separated by ';' | the driver's events separated by ';'
double_click_cases=(
    "decided: 399 ms and 4 px apart is a double click|press 1 10 10 1000;release 1 10 10 1050;press 1 14 6 1399;release 1 14 6 1420|down 10 10;up 10 10;double 14 6;up 14 6"
    "decided: 400 ms apart is two clicks|press 1 10 10 1000;release 1 10 10 1050;press 1 10 10 1400;release 1 10 10 1420|down 10 10;up 10 10;down 10 10;up 10 10"
    "decided: 5 px apart is two clicks|press 1 10 10 1000;release 1 10 10 1050;press 1 10 15 1100;release 1 10 15 1120|down 10 10;up 10 10;down 10 15;up 10 15"
    "decided: a third quick press starts anew|press 1 10 10 1000;press 1 10 10 1100;press 1 10 10 1200|down 10 10;double 10 10;down 10 10"
    "decided: other buttons are left out|press 3 10 10 1000;press 1 10 10 1100;release 3 10 10 1150|down 10 10"
)

check_double_click_decision() {
    local name=$1 log=$artefacts/decision.log expected=$3 actual
    tr ';' '\n' <<<"$2" >"$log"
    actual=$(app_clicks "$log" | tr '\n' ';')
    if [[ $actual == "$expected;" ]]; then
        pass "$name"
    else
        fail "$name" "the driver says [$actual]"
    fi
}

screenshot_size() { desktop_screenshot "$1" "${2:-root}" && identify -format '%wx%h' "$artefacts/$1"; }

check_screenshots() {
    local root_size window_size
    root_size=$(screenshot_size root.png)
    window_size=$(screenshot_size click_target.png "$target_window")
    if [[ "$root_size $window_size" == "1920x1080 ${target_w}x${target_h}" ]]; then
        pass "screenshots"
    else
        fail "screenshots" "root '$root_size', window '$window_size'"
    fi
}

# run_table CHECK CASE...: CHECK with the '|'-separated fields of each case.
run_table() {
    local check=$1 case fields
    shift
    for case; do
        IFS='|' read -ra fields <<<"$case"
        "$check" "${fields[@]}"
    done
}

check_tray_host
check_target_geometry
run_table run_click_case "${click_cases[@]}"
check_tray_icon_click
check_screenshots
check_fresh_homes
run_table check_double_click_decision "${double_click_cases[@]}"

echo "$passed passed, $failed failed"
((failed == 0))
