# shellcheck shell=bash
# Wine on the private desktop of tests/e2e/lib/desktop.sh, for end-to-end
# tests of the Windows build.
#
#   source tests/e2e/win32/wine.sh      # also sources the desktop library
#   desktop_start "$artefacts"          # Xvfb + openbox + trayer, teardown trap
#   w32_make_prefix                     # fresh 64-bit WINEPREFIX
#   w32_run build-win/Cursovia.exe
#   win=$(desktop_wait_window "Cursovia")
#
# Functions (each documented where it is defined):
#   w32_make_prefix [DIR]   w32_run EXE [ARGS]   w32_wait_exit PID [S]
#   w32_winpath PATH        w32_reg_add KEY NAME DATA [TYPE]   w32_reg_query KEY NAME [TYPE]
#
# Wine's tray icons are windows of class explorer.exe:
# desktop_wait_tray_icon explorer.exe finds them. Desktop teardown stops the
# prefix's wineserver and removes a prefix w32_make_prefix created.
#
# Needs: the desktop library's packages, wine, wine64.

# shellcheck source-path=SCRIPTDIR source=../lib/desktop.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

W32_TIMEOUT=${W32_TIMEOUT:-30}
W32_PREFIX=
W32_PREFIX_OWNED=
W32_RUN_COUNT=0
# reg.exe by full path: "wine reg" would run a reg.exe from the current
# folder first, as Windows' search order says.
W32_REG_EXE='C:\windows\system32\reg.exe'

# Quiet Wine and skip the Mono and Gecko installer prompts on a new prefix.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

w32_log() {
    printf '[wine.sh] %s\n' "$*" >&2
}

# w32_make_prefix [DIR]
# Creates a fresh 64-bit WINEPREFIX in DIR (default: a new temporary folder,
# removed again by teardown) and exports WINEPREFIX. Call it after
# desktop_start: its teardown ends the prefix's Wine, and the services Wine
# starts here (explorer, which hosts the tray icons) use the private desktop.
# wineboot runs without a display; then the prefix's wineserver is restarted
# to stay up until teardown. Takes about 13 s.
w32_make_prefix() {
    if [[ -n ${1:-} ]]; then
        mkdir -p "$1"
        WINEPREFIX=$(cd "$1" && pwd)
    else
        WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/cursovia-wineprefix.XXXXXX")
        W32_PREFIX_OWNED=$WINEPREFIX
    fi
    export WINEPREFIX
    W32_PREFIX=$WINEPREFIX
    DESKTOP_TEARDOWN_HOOKS+=(w32__end_prefix)
    local log=$DESKTOP_ARTEFACTS/wineboot.log
    if ! DISPLAY='' timeout 300 wineboot -i >"$log" 2>&1; then
        w32_log "wineboot failed; see $log"
        return 1
    fi
    if ! timeout 120 wineserver -w; then
        w32_log "wineserver did not exit after wineboot"
        return 1
    fi
    if [[ $(readlink "$WINEPREFIX/dosdevices/z:") != / ]]; then
        w32_log "prefix has no Z: drive for /; w32_winpath would be wrong"
        return 1
    fi
    # Keep the wineserver and Wine's services up until teardown. Otherwise
    # each wine call waits for the last one's server to shut down and starts
    # it again: about 3.5 s per call instead of 0.1 s.
    if ! wineserver -p; then
        w32_log "cannot start a persistent wineserver"
        return 1
    fi
    # The first process starts explorer and the services; pay for that now.
    wine "$W32_REG_EXE" query 'HKCU\Software' /ve >/dev/null 2>&1 || true
}

# Ends Wine in the prefix and removes a prefix made here; a WINEPREFIX from
# outside is not ours to remove.
w32__end_prefix() {
    if [[ -n $W32_PREFIX && -d $W32_PREFIX ]]; then
        WINEPREFIX=$W32_PREFIX timeout 30 wineserver -k 2>/dev/null || true
        WINEPREFIX=$W32_PREFIX timeout 30 wineserver -w 2>/dev/null || true
    fi
    if [[ -n $W32_PREFIX_OWNED ]]; then
        # The prefix names the folder under TMPDIR that held its server's
        # socket; it outlives the server, so it goes with the prefix.
        local server_dir=
        [[ -r $W32_PREFIX_OWNED/wineserver ]] && server_dir=$(<"$W32_PREFIX_OWNED/wineserver")
        if [[ $server_dir =~ ^wine-[A-Za-z0-9]+$ ]]; then
            rm -rf "${TMPDIR:-/tmp}/$server_dir"
        fi
        rm -rf "$W32_PREFIX_OWNED"
        W32_PREFIX_OWNED=
    fi
    W32_PREFIX=
}

# w32_winpath UNIX_PATH
# Prints the Windows path for an absolute Unix path (through drive Z:), for
# paths handed to a Windows program on its command line.
w32_winpath() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s\n' "${path//\//\\}"
}

# w32_run EXE [ARGS...]
# Starts EXE under Wine in the background; output goes to
# <artefacts>/<exe>.<n>.log. EXE may be a Unix or a Windows path. The PID,
# that of the Windows process itself, is in DESKTOP_LAST_PID.
w32_run() {
    local exe=$1 name=${1##*[\\/]}
    shift
    W32_RUN_COUNT=$((W32_RUN_COUNT + 1))
    desktop_spawn "${name%.exe}.$W32_RUN_COUNT" wine "$exe" "$@"
}

# w32_wait_exit PID [SECONDS]
# Waits for a process from w32_run to end and returns its exit code; 124 if
# it is still running after SECONDS.
w32_wait_exit() {
    desktop_wait_until "${2:-$W32_TIMEOUT}" desktop__gone "$1" || return 124
    wait "$1"
}

# w32_reg_add KEY NAME DATA [TYPE]
# Writes a registry value through Wine's reg.exe (TYPE defaults to REG_SZ).
w32_reg_add() {
    wine "$W32_REG_EXE" add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null
}

# w32_reg_query KEY NAME [TYPE]
# Prints the data of a value of TYPE (default REG_SZ; a REG_DWORD reads as
# 0x1); fails if the key or value is missing or of another type.
# reg.exe prints "    <name>    <type>    <data>" and ends lines with CR LF,
# while a line feed inside the data comes out bare: so the data runs on to
# the first line that ends in CR. The name is matched literally, so names and
# data may contain spaces. Wine writes the data in code page 437, so only
# ASCII data reads back exactly.
w32_reg_query() {
    local key=$1 name=$2 output line prefix data found=
    output=$(wine "$W32_REG_EXE" query "$key" /v "$name" 2>/dev/null) || return 1
    prefix="    $name    ${3:-REG_SZ}    "
    while IFS= read -r line; do
        if [[ -z $found ]]; then
            [[ $line == "$prefix"* ]] || continue
            found=1
            data=${line#"$prefix"}
        else
            data+=$'\n'$line
        fi
        if [[ $data == *$'\r' ]]; then
            printf '%s\n' "${data%$'\r'}"
            return 0
        fi
    done <<<"$output"
    return 1
}
