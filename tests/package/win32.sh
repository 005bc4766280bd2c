#!/usr/bin/env bash
# The Windows release as a user gets it, under Wine with a fresh prefix on a
# private X desktop: the version resources, the portable zip, and the
# installer's whole life: refusing another program's folder, silent install,
# first start from the Start menu shortcut, the log-on entry, refusing to
# replace a running program, an update over the installation keeping the
# user's list, an update into another folder, silent and interactive
# uninstall, and the exit codes a script sees (a file held open included).
#
#   tests/package/win32.sh WIN32_BUILD_DIR DIST_DIR
#
# WIN32_BUILD_DIR is the MinGW-w64 cross build the packages were made from
# (its version_info.exe reads version resources); DIST_DIR holds what
# packaging/windows/build.sh wrote. Logs and screenshots go to
# $E2E_ARTEFACTS (default WIN32_BUILD_DIR/package-artefacts), one folder per
# case. The cases run in order on one prefix, each on the state the last one
# left; E2E_ONLY="name ..." runs only the cases named. The last line is "N passed, M failed"; the exit status is non-zero
# when anything failed.
# shellcheck disable=SC2317,SC2119 # cases are called by name; the library's optional arguments are left out on purpose
set -uo pipefail

# Wine would otherwise turn the installer's Start menu shortcut into a
# desktop entry in the real home folder.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e=$here/../e2e
# shellcheck source-path=SCRIPTDIR source=../e2e/win32/wine.sh
source "$e2e/win32/wine.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e/lib/app.sh
source "$e2e/lib/app.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e/win32/driver.sh
source "$e2e/win32/driver.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e/lib/runner.sh
source "$e2e/lib/runner.sh"

if (($# != 2)) || [[ ! -d $1 || ! -d $2 ]]; then
    echo "usage: $0 WIN32_BUILD_DIR DIST_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd -P)
dist=$(cd "$2" && pwd -P)
e2e_artefacts "$build/package-artefacts"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
version_info_exe=$build/tests/e2e/tools/win32/version_info.exe
hold_file_exe=$build/tests/e2e/tools/win32/hold_file.exe
setup_exe=$dist/Cursovia-$version-setup.exe
zip_file=$dist/Cursovia-$version-win64.zip
unpacked_zip=$E2E_ROOT/unpacked-zip
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cursovia'

mismatch() {
    printf '%s\n  expected: [%s]\n  actual:   [%s]\n' "$1" "$2" "$3"
    return 1
}

# expect WHAT EXPECTED CMD...: CMD prints EXPECTED; "(absent)" stands for CMD
# failing, as for a missing value.
expect() {
    local what=$1 expected=$2 actual
    shift 2
    actual=$("$@" 2>/dev/null) || actual='(absent)'
    [[ $actual == "$expected" ]] || mismatch "$what" "$expected" "$actual"
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
        { echo "$file: $info"; return 1; }
    for line in "$@"; do
        grep -qxF "$line" <<<"$info" || mismatch "$(basename "$file") version resource" "$line" "$info" || return 1
    done
}

every_line_ends_in_crlf() {
    local file=$1
    [[ -s $file ]] && ! LC_ALL=C grep -qv $'\r$' "$file"
}

# --- cases ------------------------------------------------------------------

scenario_program_version_resource() {
    local quad=$version
    while [[ $quad =~ ^[0-9]+(\.[0-9]+){0,2}$ ]]; do quad+=.0; done
    expect_version_info "$build/src/platform/win32/Cursovia.exe" \
        "FILEVERSION=$quad" "PRODUCTVERSION=$quad" "FileVersion=$version" "ProductVersion=$version" \
        "ProductName=Cursovia" "CompanyName=Kelvardo" "LegalCopyright=Copyright (c) 2026 Kelvardo" \
        "FileDescription=Cursovia - replays a list of mouse actions" "OriginalFilename=Cursovia.exe"
}

scenario_setup_version_resource() {
    expect_version_info "$setup_exe" "FileVersion=$version" "ProductVersion=$version" \
        "ProductName=Cursovia" "CompanyName=Kelvardo" "LegalCopyright=Copyright (c) 2026 Kelvardo"
}

# The zip holds the program, a read-me and the licence, both with Windows line ends.
scenario_portable_zip() {
    local unpacked=$unpacked_zip names
    names=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ') || return 1
    [[ $names == 'Cursovia.exe LICENSE.txt README.txt ' ]] ||
        mismatch "files in $(basename "$zip_file")" 'Cursovia.exe LICENSE.txt README.txt ' "$names" || return 1
    unzip -q -o "$zip_file" -d "$unpacked" || return 1
    local text
    for text in README.txt LICENSE.txt; do
        every_line_ends_in_crlf "$unpacked/$text" || { echo "$text has a line without CR LF"; return 1; }
    done
    grep -q "^Cursovia $version for Windows" "$unpacked/README.txt" ||
        { echo "README.txt does not name version $version"; return 1; }
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
    [[ $install_dir == /* && $shortcut == /* ]] || { echo "cannot resolve the user's folders"; return 1; }
}

# silent_setup [ARGS]: runs the installer with /S (and ARGS, such as /D=)
# and returns its exit code.
silent_setup() {
    w32_run "$setup_exe" /S "$@"
    w32_wait_exit "$DESKTOP_LAST_PID" 120
}

installed_files_are() {
    local names
    names=$(find "$install_dir" -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null | sort | tr '\n' ' ')
    [[ $names == "$1" ]] || mismatch "files in $install_dir_win" "$1" "$names"
}

readonly INSTALLED_FILES='Cursovia.exe LICENSE.txt README.txt Uninstall.exe '

scenario_silent_install() {
    locate_install || return 1
    silent_setup || { echo "the installer ended with exit code $?"; return 1; }
    installed_files_are "$INSTALLED_FILES" || return 1
    cmp -s "$install_dir/Cursovia.exe" "$unpacked_zip/Cursovia.exe" ||
        { echo "the installed program differs from the zip's"; return 1; }
    [[ -f $shortcut ]] || { echo "no Start menu shortcut at $shortcut"; return 1; }
    local name
    local -A values=(
        [DisplayName]=Cursovia
        [DisplayVersion]=$version
        [Publisher]=Kelvardo
        [DisplayIcon]="$install_dir_win\\Cursovia.exe,0"
        [InstallLocation]=$install_dir_win
        [UninstallString]="\"$install_dir_win\\Uninstall.exe\""
        [QuietUninstallString]="\"$install_dir_win\\Uninstall.exe\" /S _?=$install_dir_win"
    )
    for name in "${!values[@]}"; do
        expect "uninstall entry's $name" "${values[$name]}" w32_reg_query "$UNINSTALL_KEY" "$name" || return 1
    done
    for name in NoModify NoRepair; do
        expect "uninstall entry's $name" 0x1 w32_reg_query "$UNINSTALL_KEY" "$name" REG_DWORD || return 1
    done
    # In KiB: about the size of the files, which are more than 1 MiB together.
    local size
    size=$(w32_reg_query "$UNINSTALL_KEY" EstimatedSize REG_DWORD) || { echo "no EstimatedSize"; return 1; }
    ((size >= $(du -sk "$install_dir" | cut -f1) / 2 && size > 1024)) ||
        mismatch "EstimatedSize (KiB)" "about $(du -sk "$install_dir" | cut -f1)" "$((size))"
    key_exists "$CURSOVIA_KEY" && { echo "the installer wrote the settings key"; return 1; }
    return 0
}

# Started as the Start menu does, through the shortcut: the first start counts
# itself in "Loads" and shows its tip, then the window. "start /wait" ends
# with the program's exit code, so app_close waits for it; the windows are
# the program's own process's, so they are found by their title alone
# (APP_PID empty).
scenario_first_start_from_shortcut() {
    w32_run start /wait "$shortcut_win"
    local launcher=$DESKTOP_LAST_PID box main
    box=$(APP_PID='' app_wait_message_box) || return 1
    expect Loads 1 app_setting Loads || return 1
    desktop_focus "$box" || return 1
    xdotool key Return
    main=$(APP_PID='' app_wait_main_window) || return 1
    desktop_screenshot installed-first-start.png
    APP_PID=$launcher app_close "$main"
}

installed_run_value() { printf '"%s\\Cursovia.exe"' "$install_dir_win"; }

logon_entry_is() { [[ $(app_logon_entry) == "$1" ]]; }

# Starts the installed program by its Windows path, as the shortcut does
# (the path decides the log-on entry's command); unlike "start", the process
# is the program itself, so a failed case can end it.
start_installed() {
    CURSOVIA_EXE="$install_dir_win\\Cursovia.exe"
    app_start
}

# The log-on box writes the installed program's quoted path; a row added
# now must survive the update below.
scenario_logon_entry_and_a_row() {
    start_installed
    local main
    main=$(app_wait_main_window) || return 1
    app_click "$main" "${STARTUP_BOX[@]}" || return 1
    desktop_wait_until 10 logon_entry_is "$(installed_run_value)" ||
        expect "the log-on entry" "$(installed_run_value)" app_logon_entry || return 1
    desktop_focus "$main" || return 1
    desktop_move_pointer 1501 703 || return 1
    xdotool key F6
    app_click "$main" "${ADD_BUTTON[@]}" || return 1
    app_wait_setting Actions "$(app_row 1501 703 2 'No Action')" ||
        expect Actions "$(app_row 1501 703 2 'No Action')" app_setting Actions || return 1
    app_close "$main"
}

# With the program open, a silent installer gives up with exit code 2 and
# leaves the installation as it was.
scenario_refuses_while_running() {
    start_installed
    local main before status
    main=$(app_wait_main_window) || return 1
    before=$(stat -c %Y "$install_dir/Cursovia.exe")
    sleep 1.1 # a replaced file would show a newer time
    silent_setup
    status=$?
    ((status == 2)) || mismatch "installer's exit code with Cursovia running" 2 "$status" || return 1
    [[ $(stat -c %Y "$install_dir/Cursovia.exe") == "$before" ]] ||
        { echo "the installer replaced the running program"; return 1; }
    app_close "$main"
}

# Installing again over the installation keeps the list, the options and the log-on entry.
scenario_update_keeps_settings() {
    silent_setup || { echo "the installer ended with exit code $?"; return 1; }
    installed_files_are "$INSTALLED_FILES" || return 1
    expect Actions "$(app_row 1501 703 2 'No Action')" app_setting Actions || return 1
    expect Loads 3 app_setting Loads || return 1
    expect "Windows Startup" On app_setting "Windows Startup" || return 1
    expect "the log-on entry" "$(installed_run_value)" app_logon_entry
}

install_gone() { [[ ! -e $install_dir ]] && ! key_exists "$UNINSTALL_KEY"; }

# The uninstaller copies itself to the temporary folder and returns at once;
# the copy does the work, so wait for its result.
silent_uninstall() {
    w32_run "$install_dir/Uninstall.exe" /S
    w32_wait_exit "$DESKTOP_LAST_PID" 60 || { echo "the uninstaller ended with exit code $?"; return 1; }
    desktop_wait_until 60 install_gone || { echo "the installation is still there after 60 s"; return 1; }
}

# A silent uninstall removes the program, the shortcut, the uninstall entry
# and the log-on entry, and keeps the list and options.
scenario_silent_uninstall() {
    silent_uninstall || return 1
    [[ ! -e $shortcut ]] || { echo "the Start menu shortcut is still there"; return 1; }
    expect "the log-on entry" '(absent)' app_logon_entry || return 1
    expect Actions "$(app_row 1501 703 2 'No Action')" app_setting Actions || return 1
    expect Loads 3 app_setting Loads
}

# A log-on entry of a copy elsewhere (the zip's, say) is that copy's: the
# uninstaller leaves it alone.
scenario_uninstall_keeps_other_logon_entry() {
    local other='"Z:\portable\Cursovia.exe"'
    silent_setup || { echo "the installer ended with exit code $?"; return 1; }
    w32_reg_add "$CURSOVIA_RUN_KEY" Cursovia.exe "$other" || return 1
    silent_uninstall || return 1
    expect "the log-on entry" "$other" app_logon_entry
}

# Another program's folder: files of the same names as the installer's, and
# no Cursovia. Prints its Windows path.
foreign_folder=
foreign_folder_win=
make_foreign_folder() {
    local dir=$E2E_ROOT/foreign name
    mkdir -p "$dir"
    for name in README.txt LICENSE.txt Uninstall.exe; do printf 'theirs: %s\n' "$name" >"$dir/$name"; done
    foreign_folder_win=$(w32_winpath "$dir")
    foreign_folder=$dir
}
foreign_folder_untouched() {
    local name names
    names=$(find "$foreign_folder" -mindepth 1 -printf '%f\n' | sort | tr '\n' ' ')
    [[ $names == 'LICENSE.txt README.txt Uninstall.exe ' ]] || mismatch "files in $foreign_folder_win" 'LICENSE.txt README.txt Uninstall.exe ' "$names" || return 1
    for name in README.txt LICENSE.txt Uninstall.exe; do
        [[ $(<"$foreign_folder/$name") == "theirs: $name" ]] || { echo "the installer replaced $name in $foreign_folder_win"; return 1; }
    done
}

# A silent install into a folder that holds other files and no Cursovia ends
# with exit code 3 and changes nothing.
scenario_silent_install_refuses_foreign_folder() {
    locate_install || return 1
    make_foreign_folder
    local status
    silent_setup "/D=$foreign_folder_win"
    status=$?
    ((status == 3)) || mismatch "installer's exit code for $foreign_folder_win" 3 "$status" || return 1
    foreign_folder_untouched || return 1
    key_exists "$UNINSTALL_KEY" && { echo "the installer wrote its uninstall entry"; return 1; }
    [[ ! -e $install_dir && ! -e $shortcut ]] || { echo "the installer installed elsewhere"; return 1; }
}

setup_windows() { xdotool search --onlyvisible --name '^Cursovia Setup' 2>/dev/null; }
two_setup_windows() { (($(setup_windows | wc -l) == 2)); }

# On the folder page, such a folder is refused with a message, and the page
# stays: nothing is installed.
scenario_interactive_install_refuses_foreign_folder() {
    locate_install || return 1
    make_foreign_folder
    w32_run "$setup_exe" "/D=$foreign_folder_win"
    local setup=$DESKTOP_LAST_PID page box
    for page in licence folder; do
        sleep 1 # the page is drawn after the window shows
        press_return_in_setup || return 1
    done
    desktop_wait_until 10 two_setup_windows || { echo "no message on leaving the folder page"; return 1; }
    desktop_screenshot refused-folder-message.png
    box=$(setup_windows | tail -n 1)
    desktop_focus "$box" && xdotool key Return
    desktop_wait_until 10 eval '! two_setup_windows' || { echo "the message did not close"; return 1; }
    sleep 2 # an install that went on would have started by now
    desktop_screenshot refused-folder-page.png
    setup_window >/dev/null || { echo "the installer closed"; return 1; }
    desktop__gone "$setup" && { echo "the installer ended"; return 1; }
    foreign_folder_untouched || return 1
    key_exists "$UNINSTALL_KEY" && { echo "the installer wrote its uninstall entry"; return 1; }
    [[ ! -e $install_dir ]] || { echo "the installer installed into $install_dir_win"; return 1; }
}

# An update into another folder moves the installation: the earlier copy's
# files go (other files there stay), the log-on entry and the uninstall entry
# follow; the list stays. Then back into the first folder, the size counting
# the folder's own files only.
scenario_update_into_another_folder() {
    local moved=$E2E_ROOT/moved moved_win row
    moved_win=$(w32_winpath "$moved")
    row=$(app_row 1501 703 2 'No Action')
    silent_setup "/D=$moved_win" || { echo "the installer ended with exit code $?"; return 1; }
    (install_dir=$moved install_dir_win=$moved_win installed_files_are "$INSTALLED_FILES") || return 1
    [[ ! -e $install_dir ]] || { echo "the earlier copy is still in $install_dir_win: $(ls -A "$install_dir" | tr '\n' ' ')"; return 1; }
    expect "the log-on entry" "\"$moved_win\\Cursovia.exe\"" app_logon_entry || return 1
    expect "uninstall entry's InstallLocation" "$moved_win" w32_reg_query "$UNINSTALL_KEY" InstallLocation || return 1
    expect Actions "$row" app_setting Actions || return 1

    mkdir "$moved/notes" && head -c 8M /dev/zero >"$moved/notes/big.bin"
    silent_setup || { echo "the update in place ended with exit code $?"; return 1; }
    local size
    size=$(w32_reg_query "$UNINSTALL_KEY" EstimatedSize REG_DWORD) || { echo "no EstimatedSize"; return 1; }
    ((size < 8192)) || mismatch "EstimatedSize (KiB) with a subfolder of 8 MiB" "the folder's own files, under 8192" "$((size))" || return 1

    silent_setup "/D=$install_dir_win" || { echo "the installer ended with exit code $?"; return 1; }
    installed_files_are "$INSTALLED_FILES" || return 1
    [[ $(ls -A "$moved") == notes ]] || mismatch "what stays in $moved_win" notes "$(ls -A "$moved" | tr '\n' ' ')" || return 1
    expect "the log-on entry" "$(installed_run_value)" app_logon_entry || return 1
    expect "uninstall entry's InstallLocation" "$install_dir_win" w32_reg_query "$UNINSTALL_KEY" InstallLocation
}

# The uninstall entry's QuietUninstallString, as a script runs it; returns
# the uninstaller's exit code.
quiet_uninstall() {
    local command exe args
    command=$(w32_reg_query "$UNINSTALL_KEY" QuietUninstallString) || { echo "no QuietUninstallString"; return 1; }
    [[ $command =~ ^\"([^\"]+)\"\ (.*)$ ]] || { echo "QuietUninstallString unquoted: $command"; return 1; }
    exe=${BASH_REMATCH[1]}
    read -ra args <<<"${BASH_REMATCH[2]}"
    w32_run "$exe" "${args[@]}"
    w32_wait_exit "$DESKTOP_LAST_PID" 60
}

# The exit codes a script sees from the quiet uninstall command: 2 with
# Cursovia running, nothing removed; 4 with a file held open by another
# program (a scanner), the rest removed, the entry kept to run again; then 0,
# the entry gone at once, the folder a moment later.
scenario_quiet_uninstall_exit_codes() {
    silent_setup || { echo "the installer ended with exit code $?"; return 1; }
    local status main holder
    start_installed
    main=$(app_wait_main_window) || return 1
    quiet_uninstall
    status=$?
    ((status == 2)) || mismatch "uninstaller's exit code with Cursovia running" 2 "$status" || return 1
    installed_files_are "$INSTALLED_FILES" || return 1
    app_close "$main" || return 1

    w32_run "$hold_file_exe" "$install_dir_win\\Cursovia.exe"
    holder=$DESKTOP_LAST_PID
    desktop_wait_until 20 grep -q held "$DESKTOP_ARTEFACTS/hold_file.$W32_RUN_COUNT.log" || { echo "hold_file did not open the program"; return 1; }
    quiet_uninstall
    status=$?
    ((status == 4)) || mismatch "uninstaller's exit code with Cursovia.exe held open" 4 "$status" || return 1
    installed_files_are 'Cursovia.exe Uninstall.exe ' || return 1
    key_exists "$UNINSTALL_KEY" || { echo "the uninstall entry went, with Cursovia.exe left"; return 1; }
    [[ -f $shortcut ]] || { echo "the Start menu shortcut went, with Cursovia.exe left"; return 1; }
    desktop_stop "$holder"

    quiet_uninstall
    status=$?
    ((status == 0)) || mismatch "uninstaller's exit code, leaving $(ls -A "$install_dir" | tr '\n' ' ')" 0 "$status" || return 1
    # The uninstaller's own file and the folder go a moment after it ends.
    desktop_wait_until 10 install_gone || { echo "the installation is still there: $(ls -A "$install_dir" 2>&1 | tr '\n' ' ')"; return 1; }
    [[ ! -e $shortcut ]] || { echo "the Start menu shortcut is still there"; return 1; }
    expect Actions "$(app_row 1501 703 2 'No Action')" app_setting Actions
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
    window=$(desktop_wait_print "$W32_TIMEOUT" "the installer" setup_window) || return 1
    desktop_focus "$window" && xdotool key Return
}

scenario_interactive_install() {
    w32_run "$setup_exe"
    local page
    for page in licence folder; do
        sleep 1 # the page is drawn after the window shows
        desktop_screenshot "setup-$page.png"
        press_return_in_setup || return 1
    done
    desktop_wait_until 60 installed_files_are "$INSTALLED_FILES" >/dev/null || installed_files_are "$INSTALLED_FILES" || return 1
    sleep 1
    desktop_screenshot setup-finish.png
    press_return_in_setup || return 1
    desktop_wait_until 10 setup_closed || { echo "the installer did not close"; return 1; }
    local main
    # The installer started the program: its window is found by title alone.
    main=$(APP_PID='' app_wait_main_window) || { echo "Finish did not start Cursovia"; return 1; }
    desktop_focus "$main" && xdotool key alt+F4
    APP_PID='' desktop_wait_until 10 app_main_window_gone || { echo "Cursovia did not close"; return 1; }
}

# The uninstaller's window; its title gains a trailing blank from the
# progress page on.
uninstaller_window() {
    xdotool search --onlyvisible --name '^Cursovia Uninstall' 2>/dev/null | head -n 1 | grep .
}
uninstaller_closed() { ! uninstaller_window >/dev/null; }

# The interactive uninstaller: ticking "Also remove my action list and
# options" removes the settings key too.
scenario_interactive_uninstall_removes_settings() {
    installed_files_are "$INSTALLED_FILES" || return 1
    key_exists "$CURSOVIA_KEY" || { echo "no settings to remove: an earlier case failed"; return 1; }
    w32_run "$install_dir/Uninstall.exe"
    local window
    window=$(desktop_wait_print "$W32_TIMEOUT" "the uninstaller" uninstaller_window) || return 1
    desktop_focus "$window" || return 1
    desktop_screenshot uninstall-options.png
    # Focus starts on the Uninstall button; Tab goes on to Cancel, then the box.
    xdotool key Tab Tab space
    desktop_screenshot uninstall-options-ticked.png
    xdotool key Return
    desktop_wait_until 60 install_gone || { echo "the installation is still there after 60 s"; return 1; }
    desktop_screenshot uninstall-finished.png
    key_exists "$CURSOVIA_KEY" && { echo "the settings key is still there"; return 1; }
    key_exists 'HKCU\Software\Kelvardo' && { echo "the empty Kelvardo key is still there"; return 1; }
    # The last page says it is done; Return closes it.
    window=$(desktop_wait_print "$W32_TIMEOUT" "the uninstaller's last page" uninstaller_window) || return 1
    desktop_focus "$window" && xdotool key Return
    desktop_wait_until 10 uninstaller_closed || { echo "the uninstaller did not close"; return 1; }
}

# In order: each case starts from the state the one before left.
scenarios=(program_version_resource setup_version_resource portable_zip
    silent_install_refuses_foreign_folder interactive_install_refuses_foreign_folder silent_install
    first_start_from_shortcut logon_entry_and_a_row refuses_while_running update_keeps_settings
    update_into_another_folder silent_uninstall uninstall_keeps_other_logon_entry
    quiet_uninstall_exit_codes interactive_install interactive_uninstall_removes_settings)

for file in "$build/src/platform/win32/Cursovia.exe" "$version_info_exe" "$hold_file_exe" "$setup_exe" "$zip_file"; do
    if [[ ! -f $file ]]; then
        echo "missing $file: cross-build $build and run packaging/windows/build.sh first"
        echo "0 passed, ${#scenarios[@]} failed"
        exit 1
    fi
done

e2e_suite w32_make_prefix "${scenarios[@]}"
