#pragma once
#include "actions/FileReplacement.h"

namespace cursovia::win32 {

// Windows: the temporary is created with CREATE_NEW under a random name,
// written, flushed with FlushFileBuffers and closed; ReplaceFileW then puts
// it in the place of an existing file, which keeps that file's access
// control list, owner, attributes and streams, and a new file is moved into
// place with MOVEFILE_WRITE_THROUGH. A symbolic link is written through: the
// file it leads to is replaced. Failures carry the system's own wording (a
// file another program holds open says so).
class WindowsFileReplacement : public FileReplacement {
public:
    void replace(const std::string& file, const std::string& bytes, bool keepFormer) override;
};

} // namespace cursovia::win32
