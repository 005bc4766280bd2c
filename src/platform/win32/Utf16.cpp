#include "Utf16.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace cursovia::win32 {
namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("A text of " + std::to_string(size) + " characters is too long for Windows");
    return static_cast<int>(size);
}

} // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = checkedLength(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int length = checkedLength(utf16.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, text.data(), bytes, nullptr, nullptr);
    return text;
}

int utf16Length(std::string_view utf8, std::size_t bytes) {
    const std::string_view prefix = utf8.substr(0, std::min(bytes, utf8.size()));
    if (prefix.empty()) return 0;
    return MultiByteToWideChar(CP_UTF8, 0, prefix.data(), checkedLength(prefix.size()), nullptr, 0);
}

} // namespace cursovia::win32
