#!/usr/bin/env bash
# The Debian package as a user gets it: checked, installed with apt-get,
# started from /usr/bin as an ordinary user on a private Xvfb desktop, then
# purged. Needs root (through sudo -n when not root).
#
#   tests/package/linux.sh PATH/TO/cursovia_<version>_amd64.deb PATH/TO/e2e-tools
#
# e2e-tools is the built tests/e2e/tools (x_selection_owner). The machine is
# left as it was found: the package, any package its installation pulled in
# and the throwaway user are removed whatever happens. Logs and screenshots
# go to $E2E_ARTEFACTS (default build/e2e-artefacts/package). The last line
# is "N passed, M failed".
set -u

if (($# != 2)) || [[ ! -f $1 || ! -x $2/x_selection_owner ]]; then
    echo "usage: $0 PATH/TO/cursovia_VERSION_amd64.deb PATH/TO/e2e-tools" >&2
    exit 2
fi
if ((EUID != 0)); then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then exec sudo -n -- "$0" "$@"; fi
    echo "0 passed, 1 failed (the package test installs a package: it needs root or sudo without a password)"
    exit 1
fi
DEB=$(realpath "$1")
E2E_TOOLS_DIR=$(realpath "$2")
export E2E_TOOLS_DIR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$here/../.." && pwd)
# shellcheck source=../e2e/lib/desktop.sh
source "$repo_root/tests/e2e/lib/desktop.sh"
# shellcheck source=../e2e/lib/app.sh
source "$repo_root/tests/e2e/lib/app.sh"
# shellcheck source=../e2e/linux/driver.sh
source "$repo_root/tests/e2e/linux/driver.sh"
# shellcheck source=../e2e/lib/runner.sh
source "$repo_root/tests/e2e/lib/runner.sh"
# shellcheck source=throwaway_user.sh
source "$here/throwaway_user.sh"
e2e_artefacts "$repo_root/build/e2e-artefacts/package"

PACKAGE=cursovia
BINARY=/usr/bin/cursovia
CURSOVIA=$BINARY # the driver reads the settings and the log-on entry of this program
APP_ID=com.kelvardo.Cursovia
# Nothing the tests or the build use belongs among the package's dependencies.
TOOLCHAIN='^(xvfb|xauth|xdotool|openbox|trayer|x11-utils|imagemagick|googletest|libgtest-dev|wine|wine64|clang|cmake|make|g\+\+|gcc|pkg-config|qt6-base-dev|lib[a-z0-9-]*-dev|lintian|dpkg-dev|nsis|zip|g\+\+-mingw-w64.*)$'

VERSION=$(sed -n 's/^project(Cursovia VERSION \([0-9.]*\).*/\1/p' "$repo_root/CMakeLists.txt")
INSTALLED=0
PULLED_IN=()
PACKAGE_FILES=()
EXISTED_BEFORE=()

fail() { echo "$*"; return 1; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
packages_now() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort; }
desktop_entry_value() { sed -n "s/^$2=//p" "$1" | head -n 1; }

# --- Cleanup: the machine as it was found ------------------------------------

remove_package() {
    if ((INSTALLED)) && installed "$PACKAGE"; then
        apt-get purge -y -qq "$PACKAGE" >>"$E2E_ROOT/apt.log" 2>&1
    fi
    if ((${#PULLED_IN[@]})); then
        apt-get purge -y -qq "${PULLED_IN[@]}" >>"$E2E_ROOT/apt.log" 2>&1
        PULLED_IN=()
    fi
    INSTALLED=0
}

cleanup() {
    local status=$?
    (exit "$status")
    desktop_teardown
    remove_package
    throwaway_user_remove
    exit "$status"
}

# --- Cases: each prints why it failed and returns non-zero -------------------

# The control data: the project's version, dependencies computed from the
# binary's libraries, none from the toolchain; lintian finds no error.
scenario_package_metadata() {
    local field depends name
    [[ $(dpkg-deb -f "$DEB" Package) == "$PACKAGE" ]] || fail "Package is '$(dpkg-deb -f "$DEB" Package)'" || return 1
    [[ $(dpkg-deb -f "$DEB" Version) == "$VERSION" ]] ||
        fail "Version is '$(dpkg-deb -f "$DEB" Version)', the project's is '$VERSION'" || return 1
    [[ $(basename "$DEB") == "${PACKAGE}_${VERSION}_amd64.deb" ]] || fail "the file is named $(basename "$DEB")" || return 1
    for field in Maintainer Section Priority Homepage Description; do
        [[ -n $(dpkg-deb -f "$DEB" "$field") ]] || fail "no $field field" || return 1
    done
    depends=$(dpkg-deb -f "$DEB" Depends)
    for name in libqt6widgets6 libx11-6 libxtst6 libxi6 libc6; do
        grep -qE "(^|, )$name( |,|$)" <<<"$depends" || fail "Depends lacks $name: $depends" || return 1
    done
    for name in $(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }'); do
        grep -qE "$TOOLCHAIN" <<<"$name" && { fail "Depends names the toolchain's $name"; return 1; }
    done
    lintian --fail-on error --display-info --pedantic "$DEB" >"$E2E_ROOT/lintian.log" 2>&1 ||
        fail "lintian reports errors: $(grep '^E:' "$E2E_ROOT/lintian.log" | tr '\n' ' ')" || return 1
    echo "lintian: $(grep -cE '^[WIP]:' "$E2E_ROOT/lintian.log") remarks below error, see lintian.log" >&2
}

# apt-get installs it from the file; what was already on the machine is noted
# for the purge check, and what the installation pulls in for the cleanup.
scenario_install() {
    local before path
    installed "$PACKAGE" && { fail "$PACKAGE is installed already: this test would remove it"; return 1; }
    while IFS= read -r path; do
        path=/${path#./}
        path=${path%/}
        [[ -e $path || -L $path ]] && EXISTED_BEFORE+=("$path")
    done < <(dpkg-deb --fsys-tarfile "$DEB" | tar -t)
    before=$(packages_now)
    INSTALLED=1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$DEB" >>"$E2E_ROOT/apt.log" 2>&1 ||
        fail "apt-get install failed: $(tail -n 3 "$E2E_ROOT/apt.log" | tr '\n' ' ')" || return 1
    mapfile -t PULLED_IN < <(comm -13 <(printf '%s\n' "$before") <(packages_now) | grep -vx "$PACKAGE")
    mapfile -t PACKAGE_FILES < <(dpkg -L "$PACKAGE")
    printf '%s\n' "${PACKAGE_FILES[@]}" >"$E2E_ROOT/dpkg-L.txt"
    [[ -x $BINARY ]] || fail "$BINARY is not there" || return 1
}

# The installed desktop entry, metainfo, icons and documents as desktops,
# software centres and man find them.
scenario_installed_files() {
    local entry=/usr/share/applications/$APP_ID.desktop metainfo=/usr/share/metainfo/$APP_ID.metainfo.xml
    local exec icon size doc
    desktop-file-validate "$entry" >"$E2E_ROOT/desktop-file-validate.log" 2>&1 ||
        fail "desktop-file-validate: $(tr '\n' ' ' <"$E2E_ROOT/desktop-file-validate.log")" || return 1
    appstreamcli validate --no-net "$metainfo" >"$E2E_ROOT/appstreamcli.log" 2>&1 ||
        fail "appstreamcli validate: $(tr '\n' ' ' <"$E2E_ROOT/appstreamcli.log")" || return 1
    grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "the metainfo names no release $VERSION" || return 1
    exec=$(desktop_entry_value "$entry" Exec)
    [[ $(PATH=/usr/local/bin:/usr/bin:/bin command -v "${exec%% *}") == "$BINARY" ]] ||
        fail "Exec=$exec does not start $BINARY" || return 1
    icon=$(desktop_entry_value "$entry" Icon)
    [[ $icon == "$APP_ID" ]] || fail "Icon=$icon" || return 1
    for size in 16x16 32x32 48x48 128x128; do
        [[ -f /usr/share/icons/hicolor/$size/apps/$icon.png ]] || fail "no $size $icon.png in hicolor" || return 1
    done
    [[ -f /usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable $icon.svg in hicolor" || return 1
    for doc in /usr/share/doc/$PACKAGE/copyright /usr/share/doc/$PACKAGE/changelog.gz /usr/share/man/man1/cursovia.1.gz; do
        [[ -f $doc ]] || fail "$doc is missing" || return 1
    done
    zcat /usr/share/man/man1/cursovia.1.gz | grep -q "^\.TH CURSOVIA 1 .*\"Cursovia $VERSION\"" ||
        fail "the man page does not name version $VERSION" || return 1
    zcat "/usr/share/doc/$PACKAGE/changelog.gz" | head -n 1 | grep -qF "$PACKAGE ($VERSION)" ||
        fail "the changelog does not start with version $VERSION" || return 1
}

# Started as root, the program says where its settings would go.
scenario_root_warning() {
    local output
    output=$(env -u DISPLAY "$BINARY" 2>&1)
    grep -q "warning: running as root" <<<"$output" || fail "no warning as root: $output" || return 1
}

# runs the installed program as the throwaway user, with a clean environment.
start_as_user() {
    local user=$THROWAWAY_USER home=$THROWAWAY_HOME
    desktop_spawn cursovia setpriv --reuid="$user" --regid="$user" --init-groups \
        env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" XAUTHORITY="$home/.Xauthority" XDG_RUNTIME_DIR="$home/.runtime" \
        QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: "$BINARY"
    APP_PID=$DESKTOP_LAST_PID
}

# The first start of /usr/bin/cursovia by an ordinary user: the tip, the
# window, the tray icon, one start counted in the user's own settings.
scenario_first_start() {
    local tip
    throwaway_user_create || return 1
    # app.sh reads the settings where the program keeps them by default.
    export XDG_CONFIG_HOME=$THROWAWAY_HOME/.config
    start_as_user
    tip=$(app_wait_message_box 15) || fail "no first-start tip" || return 1
    app_dismiss "$tip" || fail "the tip did not close on Return" || return 1
    APP_WINDOW=$(app_wait_main_window 10) || fail "no 1064x540 window titled Cursovia" || return 1
    desktop_wait_tray_icon cursovia 10 >/dev/null || fail "the tray icon was not embedded in trayer" || return 1
    [[ $(app_setting Loads) == 1 ]] || fail "Loads is '$(app_setting Loads)' in $XDG_CONFIG_HOME/Kelvardo/Cursovia.ini" || return 1
    [[ $(stat -c %U "$XDG_CONFIG_HOME/Kelvardo/Cursovia.ini") == "$THROWAWAY_USER" ]] || fail "the settings file is not the user's" || return 1
    desktop_screenshot window.png "$APP_WINDOW"
    grep -q "running as root" "$DESKTOP_ARTEFACTS/cursovia.log" && { fail "the root warning showed for an ordinary user"; return 1; }
    return 0
}

autostart_exec_is() { [[ $(app_logon_entry 2>/dev/null) == "$1" ]]; }

# Ticking the log-on box writes the user's XDG autostart entry naming the
# installed binary; closing the window ends the program.
scenario_autostart() {
    start_as_user
    APP_WINDOW=$(app_wait_main_window 10) || fail "no window on the second start" || return 1
    app_click "$APP_WINDOW" "${STARTUP_BOX[@]}" || fail "could not click the log-on box" || return 1
    desktop_wait_until 10 autostart_exec_is "$BINARY" ||
        fail "the autostart entry holds: $(tr '\n' ' ' <"$XDG_CONFIG_HOME/autostart/cursovia.desktop" 2>&1)" || return 1
    app_close "$APP_WINDOW" || fail "the program did not end when its window closed" || return 1
}

# apt-get purge removes every file the package brought and leaves the user's
# own files, which belong to the user.
scenario_purge() {
    local path existed left=()
    ((INSTALLED)) || fail "nothing was installed" || return 1
    apt-get purge -y -qq "$PACKAGE" >>"$E2E_ROOT/apt.log" 2>&1 || fail "apt-get purge failed" || return 1
    INSTALLED=0
    installed "$PACKAGE" && { fail "dpkg still lists $PACKAGE as installed"; return 1; }
    ((${#PACKAGE_FILES[@]})) || fail "dpkg -L listed nothing" || return 1
    for path in "${PACKAGE_FILES[@]}"; do
        [[ $path == /. ]] && continue
        for existed in "${EXISTED_BEFORE[@]}"; do [[ $path == "$existed" ]] && continue 2; done
        [[ -e $path || -L $path ]] && left+=("$path")
    done
    ((${#left[@]} == 0)) || fail "left after the purge: ${left[*]}" || return 1
    [[ -f $XDG_CONFIG_HOME/Kelvardo/Cursovia.ini && -f $XDG_CONFIG_HOME/autostart/cursovia.desktop ]] ||
        fail "the purge touched the user's own settings or autostart entry" || return 1
}

# --- Runner -------------------------------------------------------------------

setup() { trap cleanup EXIT; }
e2e_suite setup package_metadata install installed_files root_warning first_start autostart purge
