#pragma once
// Ways to make a file write fail that hold for root as well, where permission
// bits alone stop nothing (CI runs the tests as root). Each lasts as long as
// the object and undoes itself.
#if defined(__linux__)
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>

namespace cursovia::fakes {

// Permission bits bind this thread even when it runs as root: the capabilities
// that override them leave its effective set, to come back afterwards.
class PermissionBitsBindRoot {
public:
    PermissionBitsBindRoot() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[_LINUX_CAPABILITY_U32S_3] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~PermissionBitsBindRoot() {
        if (active_) syscall(SYS_capset, &header_, saved_);
    }
    PermissionBitsBindRoot(const PermissionBitsBindRoot&) = delete;
    PermissionBitsBindRoot& operator=(const PermissionBitsBindRoot&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
    bool active_ = false;
};

// No file of this process grows beyond `bytes`: a longer write fails as on a
// full disk (EFBIG, the signal it would raise ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        formerHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, formerHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*formerHandler_)(int) = SIG_DFL;
};

} // namespace cursovia::fakes
#endif
