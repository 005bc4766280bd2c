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

std::string ProgramInfo::inFolder(std::string_view relative) const {
    std::string rest(relative);
    for (char& c : rest)
        if (c == '\\') c = separator;
    std::string path = folder();
    if (!path.empty() && path.back() == separator && !rest.empty() && rest.front() == separator) path.pop_back();
    return path + rest;
}

} // namespace cursovia
