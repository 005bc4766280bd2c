#pragma once
#include "base/ProgramStart.h"

#include <string>

namespace cursovia {

// The per-user list of programs the desktop starts at log-on; no
// administrator rights needed.
class AutostartEntry {
public:
    virtual ~AutostartEntry() = default;
    // Creates or replaces the entry `name`, which starts `start`.
    // Throws std::runtime_error with a readable reason when it cannot be written.
    virtual void add(const std::string& name, const ProgramStart& start) = 0;
    // Deletes the entry `name`; an entry that is not there is no failure.
    virtual void remove(const std::string& name) = 0;
};

} // namespace cursovia
