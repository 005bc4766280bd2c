# shellcheck shell=bash
# Runs scenarios, each in this shell with an artefact folder of its own, and
# counts them.
#
#   e2e_artefacts DEFAULT   E2E_ROOT: $E2E_ARTEFACTS, else DEFAULT, emptied and
#                           made absolute
#   e2e_suite SETUP NAME... the whole suite: the desktop in E2E_ROOT/desktop, then
#                           the command SETUP ("true" for none; what it prints says
#                           why it failed), then the scenarios named, or those of
#                           E2E_ONLY="name ...", then e2e_finish
#   e2e_run NAME [ARGS]     runs scenario_NAME: its stdout (why it failed) goes to
#                           NAME/reason.txt, its stderr to NAME/scenario.log; what it
#                           spawned is ended afterwards
#   e2e_finish              prints "N passed, M failed" and exits, 0 when all passed
#
# E2E_ROOT is the artefact folder holding the scenarios' folders. The desktop
# library (tests/e2e/lib/desktop.sh) must be sourced.

E2E_PASSED=0
E2E_FAILED=0

e2e_artefacts() {
    E2E_ROOT=${E2E_ARTEFACTS:-$1}
    rm -rf "${E2E_ROOT:?}"
    mkdir -p "$E2E_ROOT"
    E2E_ROOT=$(cd "$E2E_ROOT" && pwd)
}

e2e_suite() {
    local setup=$1 started=$SECONDS reason name
    shift
    local names=("$@")
    if [[ -n ${E2E_ONLY:-} ]]; then read -ra names <<<"$E2E_ONLY"; fi
    desktop_start "$E2E_ROOT/desktop" || { echo "0 passed, ${#names[@]} failed (the desktop did not start)"; exit 1; }
    # In this shell: the setup may set traps and variables for the scenarios.
    "$setup" >"$DESKTOP_ARTEFACTS/setup.txt" ||
        { reason=$(paste -sd " " "$DESKTOP_ARTEFACTS/setup.txt"); echo "0 passed, ${#names[@]} failed (${reason:-$setup failed})"; exit 1; }
    echo "ready in $((SECONDS - started)) s; artefacts in $E2E_ROOT"
    for name in "${names[@]}"; do e2e_run "$name"; done
    echo "took $((SECONDS - started)) s"
    e2e_finish
}

e2e_run() {
    local name=$1
    shift
    DESKTOP_ARTEFACTS=$E2E_ROOT/$name
    rm -rf "$DESKTOP_ARTEFACTS"
    mkdir -p "$DESKTOP_ARTEFACTS"
    local pids_before=${#DESKTOP_PIDS[@]} started=$SECONDS
    # In this shell, not a subshell: what it spawns must be known to the cleanup.
    if "scenario_$name" "$@" >"$DESKTOP_ARTEFACTS/reason.txt" 2>"$DESKTOP_ARTEFACTS/scenario.log"; then
        E2E_PASSED=$((E2E_PASSED + 1))
        echo "PASS $name ($((SECONDS - started)) s)"
    else
        E2E_FAILED=$((E2E_FAILED + 1))
        echo "FAIL $name: $(tr '\n' ' ' <"$DESKTOP_ARTEFACTS/reason.txt")"
        desktop_keep_failure_evidence
    fi
    desktop_end_spawned_since "$pids_before"
}

e2e_finish() {
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    ((E2E_FAILED == 0))
    exit
}
