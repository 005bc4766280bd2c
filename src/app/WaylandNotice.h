#pragma once
#include "base/Dialogs.h"
#include "base/SettingsKeys.h"
#include "base/SettingsStore.h"

#include <string>

namespace cursovia {

// Remembers that the user has been told about Wayland; "True" once told.
inline constexpr settings::Key WaylandNoticeShown{"Wayland Notice Shown", ""};

extern const std::string WaylandNoticeText;

// In a Wayland session the program runs as an X11 program on XWayland, where
// its global keys and its clicks reach X11 windows only. The first time it
// starts in such a session it says so, in a message box titled `title`, and
// remembers that it did. A store that cannot be read or written only means
// the user may be told again at the next start; it never stops the start.
void tellAboutWaylandOnce(bool waylandSession, SettingsStore& settings, Dialogs& dialogs, const std::string& title);

} // namespace cursovia
