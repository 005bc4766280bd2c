#pragma once
#include <string>

namespace cursovia {

// The encoding of action files: the system's ANSI code page on Windows,
// UTF-8 on Linux. The program's own texts are UTF-8.
class TextEncoding {
public:
    virtual ~TextEncoding() = default;
    // Program text to file bytes; characters the file encoding cannot hold
    // become its replacement character.
    virtual std::string toFile(const std::string& text) = 0;
    // File bytes to program text. Throws std::runtime_error for bytes that are
    // not text in the file encoding.
    virtual std::string fromFile(const std::string& bytes) = 0;
};

} // namespace cursovia
