#pragma once
#include <string>

namespace cursovia {

// Who owns a file, where the system has owners: a saved file that replaces
// another keeps the former file's owner and group.
class FileOwnership {
public:
    virtual ~FileOwnership() = default;
    // Gives toPath the owner and group of fromPath where the process may;
    // does nothing where it may not or where the system has no such notion.
    // Never throws: the file is saved either way.
    virtual void copyOwner(const std::string& fromPath, const std::string& toPath) = 0;
};

} // namespace cursovia
