#pragma once
#include <string>

namespace cursovia {

// What the list's commands ask of the window that holds the list.
class ListHost {
public:
    virtual ~ListHost() = default;
    // Keeps the list across runs; called after every change.
    virtual void saveList() = 0;
    // The program's own message: OK only, no icon, the application title.
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace cursovia
