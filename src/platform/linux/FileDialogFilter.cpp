#include "FileDialogFilter.h"

namespace cursovia::x11 {
namespace {

std::vector<std::string_view> splitAtPipes(std::string_view text) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t pipe = text.find('|');
        pieces.push_back(text.substr(0, pipe));
        if (pipe == std::string_view::npos) break;
        text.remove_prefix(pipe + 1);
    }
    return pieces;
}

std::string blankSeparated(std::string_view patterns) {
    std::string out(patterns);
    for (char& c : out)
        if (c == ';') c = ' ';
    return out;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

std::vector<std::string> qtNameFilters(std::string_view pipeFilter) {
    const std::vector<std::string_view> pieces = splitAtPipes(pipeFilter);
    std::vector<std::string> filters;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        const std::string_view description = pieces[i];
        const std::string patterns = "(" + blankSeparated(pieces[i + 1]) + ")";
        if (endsWith(description, patterns))
            filters.emplace_back(description);
        else
            filters.push_back(std::string(description) + (description.empty() ? "" : " ") + patterns);
    }
    return filters;
}

} // namespace cursovia::x11
