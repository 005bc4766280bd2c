#pragma once
#include "actions/FileOwnership.h"

namespace cursovia::win32 {

// Does nothing: a new file gets its folder's inherited access control list,
// which is what the former file in the same folder had unless set by hand.
class InheritedFileOwnership : public FileOwnership {
public:
    void copyOwner(const std::string& fromPath, const std::string& toPath) override;
};

} // namespace cursovia::win32
