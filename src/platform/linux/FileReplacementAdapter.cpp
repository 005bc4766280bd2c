#include "FileReplacementAdapter.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cursovia::qtx11 {
namespace {

[[noreturn]] void fail(const std::string& what, int error) {
    throw std::runtime_error(what.empty() ? std::strerror(error) : what + ": " + std::strerror(error));
}

std::string folderOf(const std::string& file) {
    const std::size_t slash = file.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// A temporary beside the target under a name nobody chose before: never an
// existing file, never a link someone planted under a guessed name.
std::pair<int, std::string> createTemporary(const std::string& file) {
    std::random_device entropy;
    for (int attempt = 0;; ++attempt) {
        const std::string name = file + ".tmp" + std::to_string(entropy() % 1000000000u);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return {fd, name};
        if (errno != EEXIST || attempt == 100) fail("", errno);
    }
}

void writeAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) fail("writing failed (is the disk full?)", errno);
        done += static_cast<std::size_t>(written);
    }
}

// The former file's owner, group and mode, through the descriptor: nothing
// can swap the file under its name meanwhile. A change of owner may clear
// permission bits, so the mode comes last.
void keepOwnerAndMode(int fd, const struct stat& former) {
    if (::fchown(fd, former.st_uid, former.st_gid) != 0) {
        if (errno != EPERM) fail("keeping the file's owner failed", errno);
        (void)::fchown(fd, static_cast<uid_t>(-1), former.st_gid); // refused too where the saver is not in the group
    }
    if (::fchmod(fd, former.st_mode & 0777) != 0) fail("keeping the file's permissions failed", errno);
}

// A folder's entries reach the disk only with the folder; file systems that
// cannot sync a folder (EINVAL) keep their entries their own way.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail("the file was replaced, but its folder could not be synced to the disk", errno);
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL) fail("the file was replaced, but its folder could not be synced to the disk", error);
}

} // namespace

void PosixFileReplacement::replace(const std::string& file, const std::string& bytes, bool keepFormer) {
    struct stat former {};
    if (keepFormer && ::stat(file.c_str(), &former) != 0) fail("", errno);
    auto [fd, temporary] = createTemporary(file);
    try {
        writeAll(fd, bytes);
        if (keepFormer) keepOwnerAndMode(fd, former);
        if (::fsync(fd) != 0) fail("syncing the file to the disk failed", errno);
        // Network file systems may report a failed write only here.
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0) fail("writing failed", errno);
        if (::rename(temporary.c_str(), file.c_str()) != 0) fail("", errno);
    } catch (...) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    syncFolder(folderOf(file));
}

} // namespace cursovia::qtx11
