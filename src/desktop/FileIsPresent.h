#pragma once
#include <string>

namespace cursovia {

// True when the file's last change time can be read; false on any failure
// (no such file or folder, an invalid path). Never throws.
bool FileIsPresent(const std::string& utf8Path) noexcept;

// True when `utf8Path` names an ordinary file (not a folder). Never throws.
bool OrdinaryFileIsPresent(const std::string& utf8Path) noexcept;

} // namespace cursovia
