#include "desktop/FileIsPresent.h"

#include "base/FilePaths.h"

#include <filesystem>
#include <system_error>

namespace cursovia {

bool FileIsPresent(const std::string& utf8Path) noexcept {
    try {
        std::error_code ec;
        (void)std::filesystem::last_write_time(pathFromUtf8(utf8Path), ec);
        return !ec;
    } catch (...) {
        return false;
    }
}

bool OrdinaryFileIsPresent(const std::string& utf8Path) noexcept {
    try {
        std::error_code ec;
        return std::filesystem::is_regular_file(pathFromUtf8(utf8Path), ec);
    } catch (...) {
        return false;
    }
}

} // namespace cursovia
