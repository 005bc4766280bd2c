#include "base/ProgramInfo.h"

namespace cursovia {

std::string ProgramInfo::folder() const {
    const std::size_t cut = executablePath.find_last_of(separator);
    if (cut == std::string::npos) return {};
    const bool atRoot = cut == 0 || (cut == 2 && executablePath[1] == ':');
    return executablePath.substr(0, atRoot ? cut + 1 : cut);
}

std::string ProgramInfo::fileName() const {
    const std::size_t cut = executablePath.find_last_of(separator);
    return cut == std::string::npos ? executablePath : executablePath.substr(cut + 1);
}

std::string ProgramInfo::inFolder(std::initializer_list<std::string_view> names) const {
    std::string path = folder();
    for (const std::string_view name : names) {
        if (path.empty() || path.back() != separator) path += separator;
        path += name;
    }
    return path;
}

} // namespace cursovia
