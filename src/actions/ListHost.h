#pragma once
#include <string>

namespace cursovia {

// What the list's commands ask of the window that holds the list.
class ListHost {
public:
    virtual ~ListHost() = default;
    // The program's own message: OK only, no icon, the application title.
    virtual void showMessage(const std::string& text) = 0;
    // The same with the warning icon, for what the user asked that cannot be done.
    virtual void showWarning(const std::string& text) = 0;
};

} // namespace cursovia
