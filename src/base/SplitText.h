#pragma once
#include <string_view>
#include <vector>

namespace cursovia {

// Cuts `text` at every occurrence of `separator`: k separators give k + 1 pieces.
std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator);

} // namespace cursovia
