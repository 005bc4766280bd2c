#pragma once
#include <string>
#include <vector>

namespace cursovia::qtx11 {

// The Exec value of a desktop entry that runs `arguments` (the program
// first): each argument quoted where the desktop entry rules require it, then
// escaped as a string value. Empty arguments give an empty value.
std::string desktopEntryExec(const std::vector<std::string>& arguments);

// The whole text of the XDG autostart entry that starts `arguments` at log-on.
std::string autostartEntryText(const std::vector<std::string>& arguments);

} // namespace cursovia::qtx11
