#include "actions/FileWrite.h"

#include "base/FilePaths.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace cursovia {
namespace fs = std::filesystem;
namespace {

// The file a save writes: the final target of a symbolic link, followed link
// by link so that a link to a file not made yet still gets its file.
fs::path followLinks(fs::path path) {
    std::error_code ec;
    for (int links = 0; fs::is_symlink(fs::symlink_status(path, ec)); ++links) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec || links == 40) break; // a loop: the replacement fails as opening it would
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// An existing file the user cannot write is refused before anything is
// written, as opening it for writing would be. One the user made read-only
// is refused even where the process could write it anyway (as root).
void requireWritable(const fs::path& file, fs::file_status status) {
    if (!fs::exists(status)) return;
    using P = fs::perms;
    if ((status.permissions() & (P::owner_write | P::group_write | P::others_write)) == P::none)
        throw std::runtime_error("the file is read-only");
    if (!std::ofstream(file, std::ios::binary | std::ios::app)) // opened without touching its content
        throw std::runtime_error(std::strerror(errno));
}

} // namespace

void writeFileReplacing(const std::string& utf8Path, const std::string& bytes, FileReplacement& system) {
    try {
        const fs::path target = followLinks(pathFromUtf8(utf8Path));
        std::error_code ec;
        if (fs::is_directory(target, ec)) throw std::runtime_error("it is a folder");
        const fs::file_status former = fs::status(target, ec);
        requireWritable(target, former);
        system.replace(utf8FromPath(target), bytes, fs::exists(former));
    } catch (const std::runtime_error& reason) {
        throw std::runtime_error("Cannot save to " + utf8Path + ": " + reason.what());
    }
}

} // namespace cursovia
