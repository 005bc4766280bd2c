#include "FileOwnership.h"

namespace cursovia::win32 {

void InheritedFileOwnership::copyOwner(const std::string&, const std::string&) {}

} // namespace cursovia::win32
