#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace cursovia {

// Facts about the running program that differ by platform.
struct ProgramInfo {
    std::string executablePath; // full path of the running program, UTF-8
    char separator = '/';       // the platform's path separator
    std::string browserProgram; // starts a web address: "explorer" on Windows, "xdg-open" on Linux

    // The folder the program was started from, without a trailing separator
    // except at a drive's or the file system's root.
    std::string folder() const;
    // The executable's name and extension, without its folder.
    std::string fileName() const;
    // A file of the program's own, by the names of the folders below the
    // program's folder and its own name: {"x", "o.cjs"}. Joined with the
    // platform's separator, never a doubled one.
    std::string inFolder(std::initializer_list<std::string_view> names) const;
};

} // namespace cursovia
