#pragma once
#include "base/ProgramInfo.h"
#include "desktop/AutostartEntry.h"

#include <string>

namespace cursovia {

// Starting the program at log-on: one entry, named by the executable's file
// name, that starts the running program's own full path without arguments.
class mStartUp {
public:
    mStartUp(AutostartEntry& entry, const ProgramInfo& program) : entry_(entry), program_(program) {}

    // Throws std::runtime_error when the entry cannot be written.
    void AddToStartup() { entry_.add(entryName(), {program_.executablePath, {}}); }
    void RemoveFromStartup() { entry_.remove(entryName()); }

    std::string entryName() const { return program_.fileName(); }

private:
    AutostartEntry& entry_;
    const ProgramInfo& program_;
};

} // namespace cursovia
