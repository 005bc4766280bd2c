#include "FileOwnership.h"

#include <sys/stat.h>
#include <unistd.h>

namespace cursovia::x11 {

void PosixFileOwnership::copyOwner(const std::string& fromPath, const std::string& toPath) {
    struct stat from {};
    if (::stat(fromPath.c_str(), &from) != 0) return;
    // EPERM (not root, or a group the saver is not in) leaves the saver's owner:
    // the file is saved all the same. lchown: should toPath have become a link,
    // the file it points to is not given away.
    (void)::lchown(toPath.c_str(), from.st_uid, from.st_gid);
}

} // namespace cursovia::x11
