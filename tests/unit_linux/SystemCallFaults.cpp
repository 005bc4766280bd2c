#include "SystemCallFaults.h"

#include <cerrno>
#include <cstdarg>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace cursovia::qtx11::faults {
namespace {

SystemCalls watched;

bool inFolder(const std::string& path) {
    return !watched.folder.empty() && path.compare(0, watched.folder.size(), watched.folder) == 0;
}

std::string pathOf(int fd) {
    char target[4096];
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

// Logs the call when it concerns the folder; true when it is to fail (errno set).
bool fails(const std::string& call, const std::string& path, bool failable = true) {
    if (!inFolder(path)) return false;
    watched.log.push_back(call + " " + path);
    const auto failure = watched.failWith.find(call);
    if (!failable || failure == watched.failWith.end()) return false;
    errno = failure->second;
    return true;
}

} // namespace

Watch::Watch(const std::string& folder) : calls(watched) { watched = {folder, {}, {}, {}}; }
Watch::~Watch() { watched = {}; }

} // namespace cursovia::qtx11::faults

using namespace cursovia::qtx11::faults;

extern "C" {
int __real_open(const char* path, int flags, ...);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_fchown(int fd, uid_t owner, gid_t group);

int __wrap_open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (flags & O_CREAT) {
        va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, int));
        va_end(arguments);
    }
    if (inFolder(path) && (flags & O_CREAT) && watched.beforeCreate) watched.beforeCreate(path);
    if (fails("open", path)) return -1;
    return __real_open(path, flags, mode);
}

int __wrap_fsync(int fd) { return fails("fsync", pathOf(fd)) ? -1 : __real_fsync(fd); }

// The descriptor is closed even when the call reports a failure, as on Linux.
int __wrap_close(int fd) {
    if (!fails("close", pathOf(fd))) return __real_close(fd);
    const int error = errno;
    __real_close(fd);
    errno = error;
    return -1;
}

int __wrap_rename(const char* from, const char* to) {
    return fails("rename", std::string(from) + " " + to) ? -1 : __real_rename(from, to);
}

int __wrap_fchown(int fd, uid_t owner, gid_t group) {
    return fails("fchown", pathOf(fd), owner != static_cast<uid_t>(-1)) ? -1 : __real_fchown(fd, owner, group);
}
}
