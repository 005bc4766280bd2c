# shellcheck shell=bash
# Runs scenarios, each in this shell with an artefact folder of its own, and
# counts them.
#
#   e2e_run NAME [ARGS]   runs scenario_NAME: its stdout (why it failed) goes to
#                         NAME/reason.txt, its stderr to NAME/scenario.log; what it
#                         spawned is ended afterwards
#   e2e_finish            prints "N passed, M failed" and exits, 0 when all passed
#
# E2E_ROOT is the artefact folder holding the scenarios' folders.

E2E_PASSED=0
E2E_FAILED=0

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
