#!/usr/bin/env bash
# The Windows release as a user gets it, under Wine with a fresh prefix on a
# private X desktop: the version resources, the portable zip, and the
# installer's whole life: silent install, first start from the Start menu
# shortcut, the log-on entry, refusing to replace a running program, an
# update over the installation keeping the user's list, silent and
# interactive uninstall.
#
#   tests/package/win32.sh WIN32_BUILD_DIR DIST_DIR
#
# WIN32_BUILD_DIR is the MinGW-w64 cross build the packages were made from
# (its version_info.exe reads version resources); DIST_DIR holds what
# packaging/windows/build.sh wrote. Logs and screenshots go to
# $E2E_ARTEFACTS (default WIN32_BUILD_DIR/package-artefacts). The cases run in
# order on one prefix, each on the state the last one left. The last line is
# "N passed, M failed"; the exit status is non-zero when anything failed.
# shellcheck disable=SC2119 # the library's optional arguments are left out on purpose
set -uo pipefail

# Wine would otherwise turn the installer's Start menu shortcut into a
# desktop entry in the real home folder.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$here/../e2e/win32
# shellcheck source-path=SCRIPTDIR source=../e2e/win32/wine.sh
source "$e2e/wine.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e/win32/cursovia.sh
source "$e2e/cursovia.sh"

if (($# != 2)) || [[ ! -d $1 || ! -d $2 ]]; then
    echo "usage: $0 WIN32_BUILD_DIR DIST_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd -P)
dist=$(cd "$2" && pwd -P)
artefacts=${E2E_ARTEFACTS:-$build/package-artefacts}
rm -rf "$artefacts"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
version_info_exe=$build/tests/e2e/tools/win32/version_info.exe
setup_exe=$dist/Cursovia-$version-setup.exe
zip_file=$dist/Cursovia-$version-win64.zip
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cursovia'

passed=0
failed=0

record() {
    if (($2 == 0)); then
        passed=$((passed + 1))
        echo "PASS $1"
    else
        failed=$((failed + 1))
        echo "FAIL $1"
    fi
}

run_case() {
    local name=$1
    shift
    "$@"
    record "$name" $?
    if [[ -n $CURSOVIA_PID ]] && ! w32_not_running "$CURSOVIA_PID"; then
        kill "$CURSOVIA_PID" 2>/dev/null
        w32_wait_exit "$CURSOVIA_PID" 10 >/dev/null 2>&1
    fi
    CURSOVIA_PID=
}

finish() {
    echo "$passed passed, $failed failed"
    ((failed == 0))
    exit
}

mismatch() {
    printf '  %s\n    expected: [%s]\n    actual:   [%s]\n' "$1" "$2" "$3" >&2
    return 1
}

# expect_value KEY NAME EXPECTED: a REG_SZ value; "(absent)" when it is missing.
expect_value() {
    local actual
    actual=$(w32_reg_query "$1" "$2") || actual='(absent)'
    [[ $actual == "$3" ]] || mismatch "$1 \"$2\"" "$3" "$actual"
}

# reg_dword KEY NAME: prints a REG_DWORD value as reg.exe shows it (0x1).
reg_dword() {
    wine "$W32_REG_EXE" query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $2    REG_DWORD    //p" | grep .
}

key_exists() {
    wine "$W32_REG_EXE" query "$1" >/dev/null 2>&1
}

# windows_env NAME: a folder of the Wine user, e.g. LOCALAPPDATA.
windows_env() {
    wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}

# expect_version_info FILE NAME=VALUE...: the file's version resource holds
# these values, as Windows reads it.
expect_version_info() {
    local file=$1 info line
    shift
    info=$(wine "$version_info_exe" "$(w32_winpath "$file")" 2>&1 | tr -d '\r') ||
        { echo "  $file: $info" >&2; return 1; }
    for line in "$@"; do
        grep -qxF "$line" <<<"$info" || mismatch "$(basename "$file") version resource" "$line" "$info" || return 1
    done
}

every_line_ends_in_crlf() {
    local file=$1
    [[ -s $file ]] && ! LC_ALL=C grep -qv $'\r$' "$file"
}

# --- cases ------------------------------------------------------------------

case_program_version_resource() {
    local quad=$version
    while [[ $quad =~ ^[0-9]+(\.[0-9]+){0,2}$ ]]; do quad+=.0; done
    expect_version_info "$build/src/platform/win32/Cursovia.exe" \
        "FILEVERSION=$quad" "PRODUCTVERSION=$quad" "FileVersion=$version" "ProductVersion=$version" \
        "ProductName=Cursovia" "CompanyName=Kelvardo" "LegalCopyright=Copyright (c) 2026 Kelvardo" \
        "FileDescription=Cursovia - replays a list of mouse actions" "OriginalFilename=Cursovia.exe"
}

case_setup_version_resource() {
    expect_version_info "$setup_exe" "FileVersion=$version" "ProductVersion=$version" \
        "ProductName=Cursovia" "CompanyName=Kelvardo" "LegalCopyright=Copyright (c) 2026 Kelvardo"
}

# The zip holds the program, a read-me and the licence, both with Windows line ends.
case_portable_zip() {
    local unpacked=$artefacts/zip names
    names=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ') || return 1
    [[ $names == 'Cursovia.exe LICENSE.txt README.txt ' ]] ||
        mismatch "files in $(basename "$zip_file")" 'Cursovia.exe LICENSE.txt README.txt ' "$names" || return 1
    unzip -q -o "$zip_file" -d "$unpacked" || return 1
    local text
    for text in README.txt LICENSE.txt; do
        every_line_ends_in_crlf "$unpacked/$text" || { echo "  $text has a line without CR LF" >&2; return 1; }
    done
    grep -q "^Cursovia $version for Windows" "$unpacked/README.txt" ||
        { echo "  README.txt does not name version $version" >&2; return 1; }
    expect_version_info "$unpacked/Cursovia.exe" "FileVersion=$version"
}

# Where the installer should put things, as Windows paths and Unix paths.
install_dir_win=
install_dir=
shortcut_win=
shortcut=
locate_install() {
    install_dir_win="$(windows_env LOCALAPPDATA)\\Programs\\Cursovia"
    install_dir=$(winepath -u "$install_dir_win" 2>/dev/null)
    shortcut_win="$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Cursovia.lnk"
    shortcut=$(winepath -u "$shortcut_win" 2>/dev/null)
    [[ $install_dir == /* && $shortcut == /* ]] || { echo "  cannot resolve the user's folders" >&2; return 1; }
}

# silent_setup: runs the installer with /S and returns its exit code.
silent_setup() {
    w32_run "$setup_exe" /S
    w32_wait_exit "$W32_LAST_PID" 120
}

installed_files_are() {
    local names
    names=$(cd "$install_dir" 2>/dev/null && ls | sort | tr '\n' ' ')
    [[ $names == "$1" ]] || mismatch "files in $install_dir_win" "$1" "$names"
}

readonly INSTALLED_FILES='Cursovia.exe LICENSE.txt README.txt Uninstall.exe '

case_silent_install() {
    locate_install || return 1
    silent_setup || { echo "  the installer ended with exit code $?" >&2; return 1; }
    installed_files_are "$INSTALLED_FILES" || return 1
    cmp -s "$install_dir/Cursovia.exe" "$artefacts/zip/Cursovia.exe" ||
        { echo "  the installed program differs from the zip's" >&2; return 1; }
    [[ -f $shortcut ]] || { echo "  no Start menu shortcut at $shortcut" >&2; return 1; }
    local name expected
    local -A values=(
        [DisplayName]=Cursovia
        [DisplayVersion]=$version
        [Publisher]=Kelvardo
        [DisplayIcon]="$install_dir_win\\Cursovia.exe,0"
        [InstallLocation]=$install_dir_win
        [UninstallString]="\"$install_dir_win\\Uninstall.exe\""
        [QuietUninstallString]="\"$install_dir_win\\Uninstall.exe\" /S"
    )
    for name in "${!values[@]}"; do
        expect_value "$UNINSTALL_KEY" "$name" "${values[$name]}" || return 1
    done
    for name in NoModify NoRepair; do
        expected=0x1
        [[ $(reg_dword "$UNINSTALL_KEY" "$name") == "$expected" ]] ||
            mismatch "$name" "$expected" "$(reg_dword "$UNINSTALL_KEY" "$name")" || return 1
    done
    # In KiB: about the size of the files, which are more than 1 MiB together.
    local size
    size=$(reg_dword "$UNINSTALL_KEY" EstimatedSize) || { echo "  no EstimatedSize" >&2; return 1; }
    ((size >= $(du -sk "$install_dir" | cut -f1) / 2 && size > 1024)) ||
        mismatch "EstimatedSize (KiB)" "about $(du -sk "$install_dir" | cut -f1)" "$((size))"
    key_exists "$CURSOVIA_KEY" && { echo "  the installer wrote the settings key" >&2; return 1; }
    return 0
}

# Started as the Start menu does, through the shortcut: the first start counts
# itself in "Loads" and shows its tip, then the window.
start_from_shortcut() {
    w32_run start /wait "$shortcut_win"
    CURSOVIA_PID=$W32_LAST_PID
}

case_first_start_from_shortcut() {
    start_from_shortcut
    local box main
    box=$(cursovia_wait_message_box) || return 1
    expect_value "$CURSOVIA_KEY" Loads 1 || return 1
    cursovia_focus "$box" || return 1
    xdotool key Return
    main=$(cursovia_wait_main) || return 1
    w32_screenshot installed-first-start.png
    cursovia_close "$main"
}

installed_run_value() { printf '"%s\\Cursovia.exe"' "$install_dir_win"; }

run_value_is() {
    [[ $(w32_reg_query "$CURSOVIA_RUN_KEY" Cursovia.exe) == "$1" ]]
}

# Starts the installed program by its Windows path, as the shortcut does
# (the path decides the log-on entry's command); unlike "start", the process
# is the program itself, so a failed case can end it.
start_installed() {
    CURSOVIA_EXE="$install_dir_win\\Cursovia.exe"
    cursovia_start
}

# The log-on box writes the installed program's quoted path; a row added
# now must survive the update below.
case_logon_entry_and_a_row() {
    start_installed
    local main
    main=$(cursovia_wait_main) || return 1
    cursovia_click "$main" Check4 || return 1
    w32_wait_until 10 run_value_is "$(installed_run_value)" ||
        expect_value "$CURSOVIA_RUN_KEY" Cursovia.exe "$(installed_run_value)" || return 1
    cursovia_focus "$main" || return 1
    w32_move_pointer 1501 703 || return 1
    xdotool key F6
    cursovia_click "$main" PushButton1 || return 1
    w32_wait_until 10 cursovia_setting_is Actions "$(cursovia_row 1501 703 2 'No Action')" ||
        expect_value "$CURSOVIA_KEY" Actions "$(cursovia_row 1501 703 2 'No Action')" || return 1
    cursovia_close "$main"
}

# With the program open, a silent installer gives up with exit code 2 and
# leaves the installation as it was.
case_refuses_while_running() {
    start_installed
    local main before status
    main=$(cursovia_wait_main) || return 1
    before=$(stat -c %Y "$install_dir/Cursovia.exe")
    sleep 1.1 # a replaced file would show a newer time
    silent_setup
    status=$?
    ((status == 2)) || mismatch "installer's exit code with Cursovia running" 2 "$status" || return 1
    [[ $(stat -c %Y "$install_dir/Cursovia.exe") == "$before" ]] ||
        { echo "  the installer replaced the running program" >&2; return 1; }
    cursovia_close "$main"
}

# Installing again over the installation keeps the list, the options and the log-on entry.
case_update_keeps_settings() {
    silent_setup || { echo "  the installer ended with exit code $?" >&2; return 1; }
    installed_files_are "$INSTALLED_FILES" || return 1
    expect_value "$CURSOVIA_KEY" Actions "$(cursovia_row 1501 703 2 'No Action')" || return 1
    expect_value "$CURSOVIA_KEY" Loads 3 || return 1
    expect_value "$CURSOVIA_KEY" "Windows Startup" On || return 1
    expect_value "$CURSOVIA_RUN_KEY" Cursovia.exe "$(installed_run_value)"
}

install_gone() { [[ ! -e $install_dir ]] && ! key_exists "$UNINSTALL_KEY"; }

# The uninstaller copies itself to the temporary folder and returns at once;
# the copy does the work, so wait for its result.
silent_uninstall() {
    w32_run "$install_dir/Uninstall.exe" /S
    w32_wait_exit "$W32_LAST_PID" 60 || { echo "  the uninstaller ended with exit code $?" >&2; return 1; }
    w32_wait_until 60 install_gone || { echo "  the installation is still there after 60 s" >&2; return 1; }
}

# A silent uninstall removes the program, the shortcut, the uninstall entry
# and the log-on entry, and keeps the list and options.
case_silent_uninstall() {
    silent_uninstall || return 1
    [[ ! -e $shortcut ]] || { echo "  the Start menu shortcut is still there" >&2; return 1; }
    expect_value "$CURSOVIA_RUN_KEY" Cursovia.exe '(absent)' || return 1
    expect_value "$CURSOVIA_KEY" Actions "$(cursovia_row 1501 703 2 'No Action')" || return 1
    expect_value "$CURSOVIA_KEY" Loads 3
}

# A log-on entry of a copy elsewhere (the zip's, say) is that copy's: the
# uninstaller leaves it alone.
case_uninstall_keeps_other_logon_entry() {
    local other='"Z:\portable\Cursovia.exe"'
    silent_setup || { echo "  the installer ended with exit code $?" >&2; return 1; }
    w32_reg_add "$CURSOVIA_RUN_KEY" Cursovia.exe "$other" || return 1
    silent_uninstall || return 1
    expect_value "$CURSOVIA_RUN_KEY" Cursovia.exe "$other"
}

# The installer's window; its title gains a trailing blank from the first
# page on.
setup_window() {
    xdotool search --onlyvisible --name '^Cursovia Setup' 2>/dev/null | head -n 1 | grep .
}
setup_closed() { ! setup_window >/dev/null; }

# Return on each page as a user accepting the defaults: "I Agree" on the
# licence, "Install" on the folder, then "Finish" with "Start Cursovia"
# ticked, which starts the installed program.
press_return_in_setup() {
    local window
    window=$(w32_wait_print "$W32_TIMEOUT" "the installer" setup_window) || return 1
    cursovia_focus "$window" && xdotool key Return
}

case_interactive_install() {
    w32_run "$setup_exe"
    local page
    for page in licence folder; do
        sleep 1 # the page is drawn after the window shows
        w32_screenshot "setup-$page.png"
        press_return_in_setup || return 1
    done
    w32_wait_until 60 installed_files_are "$INSTALLED_FILES" 2>/dev/null || installed_files_are "$INSTALLED_FILES" || return 1
    sleep 1
    w32_screenshot setup-finish.png
    press_return_in_setup || return 1
    w32_wait_until 10 setup_closed || { echo "  the installer did not close" >&2; return 1; }
    local main
    main=$(cursovia_wait_main) || { echo "  Finish did not start Cursovia" >&2; return 1; }
    cursovia_focus "$main" && xdotool key alt+F4
    w32_wait_until 10 cursovia_main_hidden || { echo "  Cursovia did not close" >&2; return 1; }
}

# The uninstaller's window; its title gains a trailing blank from the
# progress page on.
uninstaller_window() {
    xdotool search --onlyvisible --name '^Cursovia Uninstall' 2>/dev/null | head -n 1 | grep .
}
uninstaller_closed() { ! uninstaller_window >/dev/null; }

# The interactive uninstaller: ticking "Also remove my action list and
# options" removes the settings key too.
case_interactive_uninstall_removes_settings() {
    installed_files_are "$INSTALLED_FILES" || return 1
    key_exists "$CURSOVIA_KEY" || { echo "  no settings to remove: an earlier case failed" >&2; return 1; }
    w32_run "$install_dir/Uninstall.exe"
    local window
    window=$(w32_wait_print "$W32_TIMEOUT" "the uninstaller" uninstaller_window) || return 1
    cursovia_focus "$window" || return 1
    w32_screenshot uninstall-options.png
    # Focus starts on the Uninstall button; Tab goes on to Cancel, then the box.
    xdotool key Tab Tab space
    w32_screenshot uninstall-options-ticked.png
    xdotool key Return
    w32_wait_until 60 install_gone || { echo "  the installation is still there after 60 s" >&2; return 1; }
    w32_screenshot uninstall-finished.png
    key_exists "$CURSOVIA_KEY" && { echo "  the settings key is still there" >&2; return 1; }
    key_exists 'HKCU\Software\Kelvardo' && { echo "  the empty Kelvardo key is still there" >&2; return 1; }
    # The last page says it is done; Return closes it.
    window=$(w32_wait_print "$W32_TIMEOUT" "the uninstaller's last page" uninstaller_window) || return 1
    cursovia_focus "$window" && xdotool key Return
    w32_wait_until 10 uninstaller_closed || { echo "  the uninstaller did not close" >&2; return 1; }
}

for file in "$build/src/platform/win32/Cursovia.exe" "$version_info_exe" "$setup_exe" "$zip_file"; do
    if [[ ! -f $file ]]; then
        echo "missing $file: cross-build $build and run packaging/windows/build.sh first" >&2
        record "build and packages present" 1
        finish
    fi
done

started=$SECONDS
w32_start_desktop "$artefacts" || { record "private desktop starts" 1; finish; }
w32_make_prefix || { record "fresh Wine prefix" 1; finish; }
echo "desktop and prefix ready in $((SECONDS - started)) s; artefacts in $artefacts"

run_case "Cursovia.exe's version resource carries the project's version" case_program_version_resource
run_case "the setup's version resource carries the project's version" case_setup_version_resource
run_case "the zip holds Cursovia.exe, README.txt and LICENSE.txt with CR LF" case_portable_zip
run_case "silent install: files, shortcut, uninstall entry" case_silent_install
run_case "first start from the shortcut: Loads is 1" case_first_start_from_shortcut
run_case "log-on box writes the installed program's quoted path; a row is added" case_logon_entry_and_a_row
run_case "the installer refuses while Cursovia runs" case_refuses_while_running
run_case "installing again keeps the list, options and log-on entry" case_update_keeps_settings
run_case "silent uninstall removes everything but the settings" case_silent_uninstall
run_case "uninstall keeps another copy's log-on entry" case_uninstall_keeps_other_logon_entry
run_case "interactive install: licence, folder, Finish starts Cursovia" case_interactive_install
run_case "uninstalling with the box ticked removes the settings" case_interactive_uninstall_removes_settings

echo "took $((SECONDS - started)) s"
finish
