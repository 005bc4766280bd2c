#pragma once
#include "desktop/AutostartEntry.h"

namespace cursovia::qtx11 {

// Log-on start through the XDG autostart folder: the entry `name` is the file
// <name>.desktop in $XDG_CONFIG_HOME/autostart (~/.config/autostart when the
// variable is unset), which every XDG desktop runs when the user logs on.
class XdgAutostartEntry : public AutostartEntry {
public:
    // Writes the entry atomically: a crash leaves the old file or the new one.
    void add(const std::string& name, const ProgramStart& start) override;
    void remove(const std::string& name) override;
};

} // namespace cursovia::qtx11
