#pragma once
#include <string>

namespace cursovia {

// Hands things to the desktop shell without waiting for them. Results are
// not examined.
class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // Opens a document or web address with its default program, as the
    // shell's open verb does. `target` is passed as given, quotes included.
    virtual void openDocument(const std::string& target) = 0;
    // Starts a command line detached, its window minimised.
    virtual void startCommand(const std::string& commandLine) = 0;
};

} // namespace cursovia
