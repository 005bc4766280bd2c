#pragma once
#include <filesystem>
#include <string>

namespace cursovia {

// The program's texts are UTF-8; a path built from them must not go through
// the narrow code page on Windows.
inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

} // namespace cursovia
