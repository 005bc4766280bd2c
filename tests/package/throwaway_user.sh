# shellcheck shell=bash
# A throwaway system user for running programs as an ordinary user on the
# test desktop of tests/e2e/linux/desktop.sh. Needs root.
#
#   throwaway_user_create      makes the user (name in THROWAWAY_USER) with a fresh
#                              home (THROWAWAY_HOME) holding a runtime folder and a
#                              copy of the desktop's X cookie (.Xauthority)
#   throwaway_user_remove      removes both; safe to call more than once
#
# Call throwaway_user_create after desktop_start (it needs XAUTHORITY).

THROWAWAY_USER=
THROWAWAY_HOME=

throwaway_user_create() {
    THROWAWAY_USER=cvtest$$
    THROWAWAY_HOME=$(mktemp -d -t cursovia-user.XXXXXX)
    useradd --system --user-group --no-create-home --home-dir "$THROWAWAY_HOME" --shell /usr/sbin/nologin \
        "$THROWAWAY_USER" || { echo "useradd $THROWAWAY_USER failed"; THROWAWAY_USER=; return 1; }
    mkdir -m 700 "$THROWAWAY_HOME/.runtime"
    cp "$XAUTHORITY" "$THROWAWAY_HOME/.Xauthority"
    chown -R "$THROWAWAY_USER:$THROWAWAY_USER" "$THROWAWAY_HOME"
    chmod 700 "$THROWAWAY_HOME"
}

# The user's processes must have been stopped (by their ids) before.
throwaway_user_remove() {
    [[ -n $THROWAWAY_USER ]] && id "$THROWAWAY_USER" >/dev/null 2>&1 && userdel "$THROWAWAY_USER" >/dev/null 2>&1
    [[ -n $THROWAWAY_HOME ]] && rm -rf -- "$THROWAWAY_HOME"
    # Qt's stand-in when a program of the user ran without XDG_RUNTIME_DIR.
    [[ -n $THROWAWAY_USER ]] && rm -rf -- "/tmp/runtime-$THROWAWAY_USER"
    THROWAWAY_USER=
    THROWAWAY_HOME=
}
