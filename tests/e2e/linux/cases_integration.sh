# shellcheck shell=bash
# Scenarios where the program meets the desktop around it: the real file
# dialog, the mouse entering the wait box, a Wayland session and a
# StatusNotifier tray. Sourced by run.sh, which runs them with the others.

LOAD_BUTTON=(925 390) # PushButton9, "Load Actions From File"
OPTION1=(416 41)      # Option1, "No Mouse Click", already set: clicking it changes nothing

# A Wayland session is told about with a message box of its own; the other
# scenarios start the program as in an X11 session whatever session runs them.
unset XDG_SESSION_TYPE

# Picks the first file of the file dialog's list, which has the focus, and
# opens it: the list is filled in the background, so this is tried again
# until the dialog closes (given time to close, so that no try reaches the
# main window).
dialog__open_first_file() {
    xdotool key Home space Return
    desktop_wait_until 2 app__not_viewable "$1"
}

# The file dialog offers a file without an extension: Load's only filter is
# the all-files one, the folder is entered by typing its path, the file is
# picked from the dialog's own list and its rows arrive.
scenario_load_file_without_extension() {
    local folder dialog expected
    app_start_past_tip || return 1
    folder=$HOME/lists
    mkdir -p "$folder"
    printf '10,20,1,Single Click\r\n30,40,2.5,No Action\r\n\r\n' >"$folder/mylist"
    expected="$(app_row 10 20 1 "Single Click")$(app_row 30 40 2.5 "No Action")"

    app_click "$APP_WINDOW" "${LOAD_BUTTON[@]}"
    dialog=$(desktop_wait_window "Select Action File" 10) || { echo "no Load dialog"; return 1; }
    # The file name box has the focus: a folder typed there is entered. The
    # dialog's file list comes before the box.
    xdotool windowactivate --sync "$dialog" type --delay 20 "$folder"
    xdotool key Return shift+Tab
    if ! desktop_wait_until 6 dialog__open_first_file "$dialog"; then
        desktop_screenshot load-dialog.png "$dialog"
        echo "the dialog offered no file to open in $folder"
        return 1
    fi
    app_wait_setting Actions "$expected" 5 || { echo "Load stored '$(app_setting Actions)'"; return 1; }
}

# Clicking into the wait box selects its whole text, so typing replaces it;
# a later click into the box, which already has the focus, places the caret.
scenario_wait_box_entered_by_mouse() {
    app_start_past_tip || return 1
    [[ $(app_setting Wait) == 2 ]] || { echo "the wait box started with '$(app_setting Wait)'"; return 1; }
    app_click "$APP_WINDOW" "${OPTION1[@]}" # the focus on another control of the window
    app_click "$APP_WINDOW" "${WAIT_BOX[@]}"
    xdotool type 5
    app_wait_setting Wait 5 5 || { echo "a click and 5 stored '$(app_setting Wait)', not 5"; return 1; }
    # Right of the text, far enough from the first click not to make a double click.
    app_click "$APP_WINDOW" $((WAIT_BOX[0] + 40)) "${WAIT_BOX[1]}"
    xdotool type 7
    app_wait_setting Wait 57 5 || { echo "a second click and 7 stored '$(app_setting Wait)', not 57"; return 1; }
}

# Qt's INI file writes the blanks of a key as %20.
WAYLAND_NOTICE_KEY='Wayland%20Notice%20Shown'

# The first start in a Wayland session says what works there, once: after
# the first-start tip and before the window; the next start is silent.
scenario_wayland_notice_once() {
    local box
    desktop_new_home
    desktop_spawn cursovia env WAYLAND_DISPLAY=wayland-0 "$CURSOVIA"
    APP_PID=$DESKTOP_LAST_PID
    box=$(app_wait_message_box 10) || { echo "no first-start tip"; return 1; }
    app_dismiss "$box" || { echo "the tip did not close"; return 1; }
    box=$(app_wait_message_box 10) || { echo "no Wayland notice after the tip"; return 1; }
    desktop_screenshot wayland-notice.png
    app_setting "$WAYLAND_NOTICE_KEY" >/dev/null && { echo "the notice was remembered before it was read"; return 1; }
    app_dismiss "$box" || { echo "the notice did not close"; return 1; }
    APP_WINDOW=$(app_wait_main_window 10) || { echo "no main window after the notice"; return 1; }
    [[ $(app_setting "$WAYLAND_NOTICE_KEY") == True ]] ||
        { echo "Wayland Notice Shown is '$(app_setting "$WAYLAND_NOTICE_KEY")'"; return 1; }
    app_close "$APP_WINDOW" || { echo "the program did not end"; return 1; }

    desktop_spawn cursovia env WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland "$CURSOVIA"
    APP_PID=$DESKTOP_LAST_PID
    # The notice would come before the window: once the window shows, none came.
    APP_WINDOW=$(app_wait_main_window 10) || { echo "the second start showed no window (a message box?)"; return 1; }
    app__message_box >/dev/null && { echo "the second start showed a message box"; return 1; }
    return 0
}

# status_notifier_call BUS SERVICE gdbus-call-arguments...: a call to the
# tray item SERVICE on the bus at address BUS.
status_notifier_call() {
    DBUS_SESSION_BUS_ADDRESS=$1 gdbus call --session --dest "$2" --object-path /StatusNotifierItem "${@:3}"
}

# On a StatusNotifier desktop (KDE, GNOME with AppIndicator) the icon
# registers over D-Bus, with the product name as its tip, and activating it
# brings the hidden window back.
scenario_status_notifier_tray() {
    local bus_log=$DESKTOP_ARTEFACTS/dbus-daemon.log watcher_log=$DESKTOP_ARTEFACTS/watcher.log
    local address item tip
    desktop_spawn dbus-daemon dbus-daemon --session --nofork --print-address=1
    desktop_wait_until 10 grep -q '^unix:' "$bus_log" || { echo "the private session bus did not start"; return 1; }
    address=$(grep -m 1 '^unix:' "$bus_log")
    : >"$watcher_log"
    desktop_spawn sni_watcher env DBUS_SESSION_BUS_ADDRESS="$address" "$E2E_TOOLS_DIR/sni_watcher" "$watcher_log"
    desktop_wait_until 10 grep -q '^ready$' "$watcher_log" || { echo "the watcher did not own its name"; return 1; }

    desktop_new_home
    desktop_spawn cursovia env DBUS_SESSION_BUS_ADDRESS="$address" "$CURSOVIA"
    APP_PID=$DESKTOP_LAST_PID
    app_dismiss "$(app_wait_message_box 10)" || { echo "no first-start tip"; return 1; }
    APP_WINDOW=$(app_wait_main_window 10) || { echo "no main window"; return 1; }
    desktop_wait_until 10 grep -q '^registered ' "$watcher_log" || { echo "no item registered with the watcher"; return 1; }
    item=$(grep -m 1 '^registered ' "$watcher_log" | cut -d ' ' -f 2)
    tip=$(status_notifier_call "$address" "$item" --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip) ||
        { echo "the item's tip could not be read"; return 1; }
    [[ $tip == *"'Cursovia'"* ]] || { echo "the item's tip is $tip"; return 1; }

    xdotool windowminimize "$APP_WINDOW"
    app_wait_hidden "$APP_WINDOW" 5 || { echo "minimising did not hide the window"; return 1; }
    status_notifier_call "$address" "$item" --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null || { echo "Activate failed"; return 1; }
    app_wait_viewable "$APP_WINDOW" 5 || { echo "Activate did not bring the window back"; return 1; }
    desktop_wait_until 5 desktop_is_active "$APP_WINDOW" || { echo "the window came back without the focus"; return 1; }
}

scenarios+=(load_file_without_extension wait_box_entered_by_mouse wayland_notice_once status_notifier_tray)
