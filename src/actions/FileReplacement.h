#pragma once
#include <string>

namespace cursovia {

// The system's side of saving a file whole: the new contents go to a file of
// their own beside the one they replace, which takes its place in one step,
// so that a failure at any point, or a power cut afterwards, leaves either
// the former file or the new one, never a file cut short.
class FileReplacement {
public:
    virtual ~FileReplacement() = default;
    // Writes `bytes` to a temporary file created anew beside `file` (never a
    // name already there, nor through a link planted under it), syncs it to
    // the disk, closes it and puts it in the place of `file`, then syncs the
    // folder. With `keepFormer`, `file` exists and the new file keeps its
    // permissions, owner and group where the process may give them (the
    // group alone where the owner cannot be kept). A failure throws
    // std::runtime_error with the system's reason and leaves `file` as it
    // was and no temporary behind; should only the final sync of the folder
    // fail, the reason says the file was replaced.
    virtual void replace(const std::string& file, const std::string& bytes, bool keepFormer) = 0;
};

} // namespace cursovia
