#include "base/SplitText.h"

namespace cursovia {

std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(separator, start)) != std::string_view::npos;
         start = found + separator.size())
        pieces.push_back(text.substr(start, found - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace cursovia
