#pragma once
#include "actions/FileOwnership.h"

namespace cursovia::x11 {

// Owners and groups of POSIX files: only a privileged process (root saving a
// user's file) may give a file away; for others chown fails and is ignored.
class PosixFileOwnership : public FileOwnership {
public:
    void copyOwner(const std::string& fromPath, const std::string& toPath) override;
};

} // namespace cursovia::x11
