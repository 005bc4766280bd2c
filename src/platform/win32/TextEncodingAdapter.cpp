#include "TextEncodingAdapter.h"

#include "Utf16.h"

#include <windows.h>

#include <stdexcept>

namespace cursovia::win32 {

std::string AnsiCodePage::toFile(const std::string& text) {
    const std::wstring wide = widen(text);
    if (wide.empty()) return {};
    // Without a default character the code page's own replacement ("?") stands in.
    const int length = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

std::string AnsiCodePage::fromFile(const std::string& bytes) {
    if (bytes.empty()) return {};
    if (bytes.size() > 0x7FFFFFFF) throw std::runtime_error("The file is too large to read as text");
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (units == 0)
        throw std::runtime_error("The file is not text in the system's code page " + std::to_string(GetACP()));
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), units);
    return narrow(wide);
}

} // namespace cursovia::win32
