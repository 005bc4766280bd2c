#pragma once
#include "actions/FileReplacement.h"

namespace cursovia::qtx11 {

// POSIX: the temporary is opened with O_CREAT | O_EXCL | O_NOFOLLOW under a
// random name, given the former file's owner, group and mode through its
// descriptor, synced with fsync and renamed over the target; then the folder
// is synced, so the rename survives a power cut too. Only a privileged
// process may give a file away: where the owner is refused (EPERM) the group
// alone is kept, which the saver may give when it belongs to that group.
class PosixFileReplacement : public FileReplacement {
public:
    void replace(const std::string& file, const std::string& bytes, bool keepFormer) override;
};

} // namespace cursovia::qtx11
