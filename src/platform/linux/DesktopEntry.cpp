#include "DesktopEntry.h"

#include <string_view>

namespace cursovia::qtx11 {
namespace {

// Characters that force an argument into double quotes.
constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
// Characters that must be preceded by a backslash inside double quotes.
constexpr std::string_view EscapedInQuotes = "\"`$\\";

std::string quoteArgument(const std::string& argument) {
    const bool quoted = argument.empty() || argument.find_first_of(Reserved) != std::string::npos;
    std::string out;
    for (const char c : argument) {
        if (c == '%') {
            out += "%%"; // a lone % would start a field code
            continue;
        }
        if (quoted && EscapedInQuotes.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return quoted ? '"' + out + '"' : out;
}

// The general escapes of string values; readers undo them before they
// undo the quoting, hence the doubled backslashes.
std::string escapeStringValue(const std::string& value) {
    std::string out;
    for (const char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string desktopEntryExec(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += quoteArgument(argument);
    }
    return escapeStringValue(line);
}

std::string autostartEntryText(const std::vector<std::string>& arguments) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Cursovia\n"
           "Exec=" +
           desktopEntryExec(arguments) + "\n";
}

} // namespace cursovia::qtx11
