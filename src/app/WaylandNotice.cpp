#include "app/WaylandNotice.h"

#include <stdexcept>

namespace cursovia {

const std::string WaylandNoticeText =
    "Cursovia is running in a Wayland session. It works there as an X11 program, through XWayland.\r\n\r\n"
    "In a Wayland session F6 and Ctrl+S are only seen while the window of an X11 program has the keyboard "
    "focus, and the moves and clicks of a run only reach windows of X11 programs. The window, the list, "
    "saving and loading and the tray icon work as usual.\r\n\r\n"
    "For everything to work, log in to an X11 session (on the login screen, choose a session named with "
    "\"Xorg\" or \"X11\").\r\n\r\n"
    "This message is shown only once.";

namespace {

constexpr std::string_view Told = "True";

bool alreadyTold(SettingsStore& settings) {
    try {
        return settings.read(std::string(WaylandNoticeShown.name), "") == Told;
    } catch (const std::runtime_error&) {
        return false;
    }
}

} // namespace

void tellAboutWaylandOnce(bool waylandSession, SettingsStore& settings, Dialogs& dialogs, const std::string& title) {
    if (!waylandSession || alreadyTold(settings)) return;
    dialogs.messageBox(WaylandNoticeText, title, MessageButtons::Ok, MessageIcon::None);
    try {
        settings.write(std::string(WaylandNoticeShown.name), std::string(Told));
    } catch (const std::runtime_error&) {
        // Not remembered: the next start in a Wayland session tells it again.
    }
}

} // namespace cursovia
