#pragma once
#include "actions/FileReplacement.h"

#include <string>

namespace cursovia {

// Saves `bytes` as the file at `utf8Path` through `system`, which replaces
// the target only once the new file is complete. A symbolic link stays a
// link: its target is replaced. The replaced file keeps its permissions, and
// its owner and group where the process may give them; a folder, a file the
// user cannot write, or one made read-only, is refused before anything is
// written. Throws std::runtime_error "Cannot save to <path>: <reason>".
void writeFileReplacing(const std::string& utf8Path, const std::string& bytes, FileReplacement& system);

} // namespace cursovia
