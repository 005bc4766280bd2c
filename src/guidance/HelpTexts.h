#pragma once
#include <string>

namespace cursovia {

// The fixed guidance texts of the Help and "Not Working?" buttons.
inline constexpr const char* ContactPage = "http://www.kelvardo.com/contact/";
inline constexpr const char* SearchAddress = "https://www.google.com/search?q=autohotkey";

// The Help text naming the capture and stop keys as the user chose them.
std::string helpText(const std::string& captureKey = "F6", const std::string& stopKey = "Ctrl+Alt+S");
std::string notWorkingText();

} // namespace cursovia
