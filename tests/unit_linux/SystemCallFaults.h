#pragma once
// The system calls a file replacement makes, watched and failed on demand:
// the test program is linked with --wrap for each, so the adapter's calls
// come here first. Only calls on paths inside the watched folder are logged
// or failed; every other call goes straight to the system.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cursovia::qtx11::faults {

struct SystemCalls {
    std::string folder;            // watched while not empty
    std::vector<std::string> log;  // "open <path>", "fsync <path>", "close <path>", "rename <from> <to>", "fchown <path>"
    std::map<std::string, int> failWith; // call name -> errno it fails with ("fchown" fails only a change of owner)
    std::function<void(const std::string& path)> beforeCreate; // runs before a file is created
};

// Watches `folder` as long as it lives.
class Watch {
public:
    explicit Watch(const std::string& folder);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    SystemCalls& calls;
};

} // namespace cursovia::qtx11::faults
