#pragma once
#include <string>
#include <string_view>

namespace cursovia::win32 {

// The core speaks UTF-8, Windows' wide functions UTF-16. Invalid sequences
// become U+FFFD rather than failing: a text shown or stored must not vanish.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// How many UTF-16 code units the first `bytes` bytes of `utf8` make (for
// selections, which the core counts in bytes and edit controls in units).
int utf16Length(std::string_view utf8, std::size_t bytes);

} // namespace cursovia::win32
