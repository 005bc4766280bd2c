#include "FileDialogFilter.h"

namespace cursovia::x11 {
namespace {

// On Windows "*.*" matches every file name, also one without a dot; Qt takes
// the dot literally, and only "*" matches every name.
constexpr std::string_view WindowsEveryFile = "*.*";
constexpr std::string_view QtEveryFile = "*";

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        pieces.push_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return pieces;
}

// "*.log;*.*" as Qt writes it: "(*.log *)"; with `forQt` false, the same
// patterns as the Windows side wrote them: "(*.log *.*)".
std::string parenthesised(std::string_view patterns, bool forQt) {
    std::string out = "(";
    for (const std::string_view pattern : split(patterns, ';')) {
        if (out.size() > 1) out += ' ';
        out += forQt && pattern == WindowsEveryFile ? QtEveryFile : pattern;
    }
    return out + ")";
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

std::vector<std::string> qtNameFilters(std::string_view pipeFilter) {
    const std::vector<std::string_view> pieces = split(pipeFilter, '|');
    std::vector<std::string> filters;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        std::string_view description = pieces[i];
        // A description that names its own patterns names them the Qt way.
        const std::string shown = parenthesised(pieces[i + 1], false);
        if (endsWith(description, shown)) description.remove_suffix(shown.size());
        while (endsWith(description, " ")) description.remove_suffix(1);
        filters.push_back(std::string(description) + (description.empty() ? "" : " ") +
                          parenthesised(pieces[i + 1], true));
    }
    return filters;
}

} // namespace cursovia::x11
