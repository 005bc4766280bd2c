#include "automation/RunOptions.h"

#include "base/Conversions.h"

#include <cmath>

namespace cursovia {

std::optional<std::int64_t> wholeNumberFromText(std::string_view text) {
    double value = 0;
    try {
        value = textToNumber(text);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    // 2^63 is the first double beyond a signed 64-bit integer.
    if (value != std::floor(value) || std::fabs(value) >= 9223372036854775808.0) return std::nullopt;
    return static_cast<std::int64_t>(value);
}

std::string durationText(std::int64_t seconds) {
    const auto twoDigits = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

std::optional<std::int64_t> durationFromText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::int64_t total = 0;
    int fields = 0;
    while (true) {
        const std::size_t colon = text.find(':');
        const std::string_view field = text.substr(0, colon);
        // The first field may be as large as the range allows, later ones are minutes and seconds.
        if (field.empty() || field.size() > (fields == 0 ? 9 : 2) || ++fields > 3) return std::nullopt;
        std::int64_t value = 0;
        for (const char c : field) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (fields > 1 && value >= 60) return std::nullopt;
        total = total * 60 + value;
        if (colon == std::string_view::npos) return total;
        text.remove_prefix(colon + 1);
    }
}

} // namespace cursovia
