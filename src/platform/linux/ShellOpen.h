#pragma once
#include "guidance/ShellOpen.h"

namespace cursovia::x11 {

// Hands addresses and commands to the desktop without waiting for them.
class QtShellOpen : public ShellOpen {
public:
    // The target without its surrounding double quotes, opened with the
    // desktop's default handler (xdg-open underneath).
    void openDocument(const std::string& target) override;
    // The command line split into the program and its arguments and started
    // detached. Linux has no window style to pass: "minimised" is dropped.
    void startCommand(const std::string& commandLine) override;
};

} // namespace cursovia::x11
