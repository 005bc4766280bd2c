#pragma once
#include "guidance/ShellOpen.h"

namespace cursovia::qtx11 {

// Hands addresses and commands to the desktop without waiting for them.
class QtShellOpen : public ShellOpen {
public:
    // Opened with the desktop's default handler (xdg-open underneath).
    void openDocument(const std::string& address) override;
    // Started detached. Linux has no window style to pass: "minimised" is dropped.
    void startProgram(const ProgramStart& start) override;
};

} // namespace cursovia::qtx11
