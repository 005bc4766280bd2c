#pragma once
#include "base/ProgramStart.h"

#include <string>

namespace cursovia {

// Hands things to the desktop shell without waiting for them. Results are
// not examined.
class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // Opens a document or web address with its default program, as the
    // shell's open verb does.
    virtual void openDocument(const std::string& address) = 0;
    // Starts a program detached, its window minimised.
    virtual void startProgram(const ProgramStart& start) = 0;
};

} // namespace cursovia
