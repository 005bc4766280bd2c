#!/usr/bin/env bash
# scripts/run.sh on the test desktop: started through sudo it builds and
# starts the program as the user who called sudo, never as root; started as
# root with no user to return to it builds nothing and says how to run it as
# a user; the program itself, started as root, warns. Needs root (it stands
# in for sudo by setting SUDO_USER, as sudo does).
#
#   tests/package/run_script.sh PATH/TO/e2e-tools
#
# The build (in the throwaway user's home) takes a few minutes. Logs go to
# $E2E_ARTEFACTS (default build/e2e-artefacts/run-script); E2E_ONLY="name ..."
# runs only the cases named. The last line is "N passed, M failed".
set -u

if (($# != 1)) || [[ ! -x $1/x_selection_owner ]]; then
    echo "usage: $0 PATH/TO/e2e-tools" >&2
    exit 2
fi
if ((EUID != 0)); then
    echo "0 passed, 1 failed (the run.sh test stands in for sudo: it needs root)"
    exit 1
fi
E2E_TOOLS_DIR=$(realpath "$1")
export E2E_TOOLS_DIR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$here/../.." && pwd)
# shellcheck source=../e2e/lib/desktop.sh
source "$repo_root/tests/e2e/lib/desktop.sh"
# shellcheck source=../e2e/lib/runner.sh
source "$repo_root/tests/e2e/lib/runner.sh"
# shellcheck source=throwaway_user.sh
source "$here/throwaway_user.sh"
e2e_artefacts "$repo_root/build/e2e-artefacts/run-script"

BUILD_TIMEOUT=900
# Root's home as run.sh sees it, kept apart from the real one.
ROOT_HOME=
RUN_PID=

fail() { echo "$*"; return 1; }

cleanup() {
    local status=$?
    (exit "$status")
    desktop_teardown
    throwaway_user_remove
    [[ -n $ROOT_HOME ]] && rm -rf -- "$ROOT_HOME"
    exit "$status"
}

# run_script [VAR=VALUE...]: scripts/run.sh as root in a clean environment
# with the desktop's DISPLAY, building in the throwaway user's home; the
# assignments given replace the defaults.
run_script() {
    desktop_spawn run-sh env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$ROOT_HOME" LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: \
        CURSOVIA_BUILD_DIR="$THROWAWAY_HOME/build" "$@" "$repo_root/scripts/run.sh"
    RUN_PID=$DESKTOP_LAST_PID
}

build_done() { grep -q 'Built target cursovia$' "$DESKTOP_ARTEFACTS/run-sh.log" || desktop__gone "$RUN_PID"; }
process_user() { ps -o user= -p "$1" | tr -d ' '; }

# The pid of the program's first window (the first-start tip, titled Cursovia).
program_pid() {
    local wid
    wid=$(desktop_wait_window Cursovia 20) || return 1
    xdotool getwindowpid "$wid"
}

# Ends run.sh's program: runuser passes the signal on to it.
stop_program() {
    local pid=$1
    desktop_stop "$RUN_PID"
    desktop_wait_until 5 desktop__gone "$pid" || kill -KILL "$pid" 2>/dev/null
}

# sudo ./scripts/run.sh: root installs, the user builds and runs.
scenario_through_sudo() {
    local pid settings=$THROWAWAY_HOME/.config/Kelvardo/Cursovia.ini
    run_script SUDO_USER="$THROWAWAY_USER" SUDO_UID="$(id -u "$THROWAWAY_USER")" \
        SUDO_GID="$(id -g "$THROWAWAY_USER")" XAUTHORITY="$THROWAWAY_HOME/.Xauthority"
    # A build, not a poll of the screen, takes most of the time.
    for ((i = 0; i < BUILD_TIMEOUT; i++)); do build_done && break; sleep 1; done
    build_done || fail "no build after ${BUILD_TIMEOUT}s" || return 1
    pid=$(program_pid) || fail "the program showed no window: $(tail -n 3 "$DESKTOP_ARTEFACTS/run-sh.log" | tr '\n' ' ')" || return 1
    [[ $(process_user "$pid") == "$THROWAWAY_USER" ]] || fail "the program runs as $(process_user "$pid")" || return 1
    desktop_wait_until 5 test -f "$settings" || fail "no settings file in the user's home" || return 1
    [[ $(stat -c %U "$settings") == "$THROWAWAY_USER" ]] || fail "the settings file belongs to $(stat -c %U "$settings")" || return 1
    [[ ! -e $ROOT_HOME/.config ]] || fail "something was written to root's home: $(ls -A "$ROOT_HOME/.config")" || return 1
    [[ -z $(find "$THROWAWAY_HOME/build" -user root -print -quit) ]] ||
        fail "root owns files in the build: $(find "$THROWAWAY_HOME/build" -user root | head -n 3 | tr '\n' ' ')" || return 1
    grep -q "running as root" "$DESKTOP_ARTEFACTS/run-sh.log" && { fail "the program warned that it runs as root"; return 1; }
    stop_program "$pid"
}

# ./scripts/run.sh as root with no user to return to (su, doas, a login as
# root; sudo from a root shell names root): it builds nothing, leaves root's
# home alone and says how to run it as a user.
scenario_as_root_refuses() {
    local case sudo_user build=$THROWAWAY_HOME/refused-build root_home_before
    root_home_before=$(ls -A "$ROOT_HOME")
    for case in none root; do
        sudo_user=()
        [[ $case == root ]] && sudo_user=(SUDO_USER=root SUDO_UID=0 SUDO_GID=0)
        run_script "${sudo_user[@]}" CURSOVIA_BUILD_DIR="$build"
        desktop_wait_until 30 desktop__gone "$RUN_PID" || fail "SUDO_USER $case: run.sh is still running after 30 s" || return 1
        wait "$RUN_PID" && { fail "SUDO_USER $case: run.sh ended with exit status 0"; return 1; }
        grep -q "nothing was built" "$DESKTOP_ARTEFACTS/run-sh.log" &&
            grep -qF "./scripts/run.sh" "$DESKTOP_ARTEFACTS/run-sh.log" ||
            fail "SUDO_USER $case: run.sh said: $(head -n 3 "$DESKTOP_ARTEFACTS/run-sh.log" | tr '\n' ' ')" || return 1
        [[ ! -e $build ]] || fail "SUDO_USER $case: run.sh made $build" || return 1
        [[ $(ls -A "$ROOT_HOME") == "$root_home_before" ]] ||
            fail "SUDO_USER $case: something was written to root's home: $(ls -A "$ROOT_HOME")" || return 1
    done
}

# The program itself, started as root (the build of through_sudo), warns on stderr.
scenario_program_warns_as_root() {
    local binary=$THROWAWAY_HOME/build/linux/src/platform/linux/cursovia pid
    [[ -x $binary ]] || fail "no program at $binary: through_sudo did not build it" || return 1
    mkdir -m 700 "$ROOT_HOME/.runtime"
    desktop_spawn cursovia env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$ROOT_HOME" LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: \
        XDG_RUNTIME_DIR="$ROOT_HOME/.runtime" "$binary"
    RUN_PID=$DESKTOP_LAST_PID
    pid=$(program_pid) || fail "the program showed no window" || return 1
    [[ $(process_user "$pid") == root ]] || fail "the program runs as $(process_user "$pid")" || return 1
    desktop_wait_until 5 grep -q "cursovia: warning: running as root" "$DESKTOP_ARTEFACTS/cursovia.log" ||
        fail "the program itself gave no warning" || return 1
    stop_program "$pid"
}

# Root's home and the throwaway user, whom the sources must be open to.
setup() {
    trap cleanup EXIT
    ROOT_HOME=$(mktemp -d -t cursovia-root-home.XXXXXX)
    throwaway_user_create >"$E2E_ROOT/user.log" 2>&1 || { echo "no throwaway user"; return 1; }
    setpriv --reuid="$THROWAWAY_USER" --regid="$THROWAWAY_USER" --init-groups test -r "$repo_root/CMakeLists.txt" ||
        { echo "$THROWAWAY_USER cannot read the sources in $repo_root"; return 1; }
}
e2e_suite setup through_sudo as_root_refuses program_warns_as_root
