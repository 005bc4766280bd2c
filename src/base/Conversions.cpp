#include "base/Conversions.h"

#include "base/SettingsKeys.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace cursovia {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the number grammar, so that std::from_chars sees no form it would
// read differently (hexadecimal, "inf", "nan").
bool isDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) { ++i; ++exponentDigits; }
        if (exponentDigits == 0) return false;
    }
    return i == s.size();
}

// Roughly the power of ten of a number the grammar accepted, enough to tell
// a too large number from one too close to zero.
long decimalMagnitude(std::string_view s) {
    std::size_t i = (s.front() == '+' || s.front() == '-') ? 1 : 0;
    long magnitude = 0;
    bool significant = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        significant = significant || s[i] != '0';
        if (significant) ++magnitude;
    }
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]) && !significant; ++i) {
            if (s[i] != '0') significant = true;
            else --magnitude;
        }
    while (i < s.size() && s[i] != 'e' && s[i] != 'E') ++i;
    if (i < s.size()) {
        long exponent = 0;
        bool negative = false;
        for (++i; i < s.size(); ++i) {
            if (s[i] == '-') negative = true;
            else if (isDigit(s[i]) && exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The text as a report shows it: its first 40 bytes, cut between two UTF-8
// characters so the report never holds half of one.
std::string quoted(std::string_view text) {
    constexpr std::size_t shown = 40;
    std::size_t cut = std::min(text.size(), shown);
    // A character is at most four bytes long; stepping back further would only
    // hide text that is not UTF-8 anyway.
    for (int step = 0; step < 3 && cut < text.size() && cut > 0 && isContinuationByte(text[cut]); ++step) --cut;
    std::string out = "\"";
    out.append(text.substr(0, cut));
    if (text.size() > cut) out += "...";
    return out + "\"";
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

double textToNumber(std::string_view text) {
    const std::string_view s = trimBlanks(text);
    if (!isDecimalNumber(s)) throw ConversionError("Type mismatch: " + quoted(text) + " is not a number");
    const std::string_view unsigned_ = (s.front() == '+') ? s.substr(1) : s;
    double value = 0;
    const auto [end, error] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
    if (error == std::errc::result_out_of_range) {
        // A number too close to zero is zero; only a too large one overflows.
        if (decimalMagnitude(s) < 0) return 0.0;
        throw ConversionError("Overflow: " + quoted(text) + " is too large a number");
    }
    if (error != std::errc{} || end != unsigned_.data() + unsigned_.size())
        throw ConversionError("Type mismatch: " + quoted(text) + " is not a number");
    return value;
}

bool isNumeric(std::string_view text) {
    try {
        textToNumber(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

bool textToBoolean(std::string_view text) {
    const std::string_view s = trimBlanks(text);
    if (equalsIgnoringCase(s, "True")) return true;
    if (equalsIgnoringCase(s, "False")) return false;
    if (isDecimalNumber(s)) return textToNumber(s) != 0.0;
    throw ConversionError("Type mismatch: " + quoted(text) + " is neither True nor False");
}

std::string booleanToText(bool value) { return value ? "True" : "False"; }

std::string numberToText(double value) {
    if (value == 0.0) return "0"; // no "-0"
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error == std::errc{} && end - buffer <= 20) return std::string(buffer, end);
    const auto [shortEnd, shortError] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, shortEnd);
}

std::int32_t toInt32(double value) {
    const double rounded = std::nearbyint(value); // the default rounding sends a half to the even neighbour
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw ConversionError("Overflow: " + numberToText(value) + " is beyond a screen position");
    return static_cast<std::int32_t>(rounded);
}

bool isOn(std::string_view text) { return text == settings::On; }

} // namespace cursovia
