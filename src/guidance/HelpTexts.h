#pragma once
#include <string>

namespace cursovia {

// The fixed guidance texts of the Help and "Not Working?" buttons.
inline constexpr const char* ContactPage = "http://www.kelvardo.com/contact/";
inline constexpr const char* SearchAddress = "https://www.google.com/search?q=autohotkey";

std::string helpText();
std::string notWorkingText();

} // namespace cursovia
