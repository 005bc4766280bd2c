// Arbitrary text through the conversions that read settings and cells, and
// arbitrary doubles through the way numbers are written back. Only
// ConversionError may leave a conversion; anything else escapes the target and
// libFuzzer reports it.
#include "FuzzCheck.h"
#include "base/Conversions.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace cursovia {
namespace {

std::string_view withoutBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool inInt32Range(double rounded) {
    return rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max();
}

void checkToInt32(double value) {
    try {
        const std::int32_t i = toInt32(value);
        FUZZ_CHECK(inInt32Range(std::nearbyint(value)));
        FUZZ_CHECK(static_cast<double>(i) == std::nearbyint(value));
        FUZZ_CHECK(std::fabs(static_cast<double>(i) - value) <= 0.5);
    } catch (const ConversionError&) {
        FUZZ_CHECK(std::isnan(value) || !inInt32Range(std::nearbyint(value)));
    }
}

// A number written as text reads back as the same number, in the plain form.
void checkWritten(double value) {
    const std::string text = numberToText(value);
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(text.find_first_of(" \t") == std::string::npos);
    FUZZ_CHECK(text.front() != '+');
    FUZZ_CHECK(isNumeric(text));
    const double back = textToNumber(text);
    FUZZ_CHECK(back == value);
    FUZZ_CHECK(numberToText(back) == text);
}

void checkText(std::string_view text) {
    const bool numeric = isNumeric(text);
    try {
        const double value = textToNumber(text);
        FUZZ_CHECK(numeric);
        FUZZ_CHECK(std::isfinite(value));
        checkWritten(value);
        checkToInt32(value);
    } catch (const ConversionError& e) {
        FUZZ_CHECK(!numeric);
        // The report quotes the text; it must not break a character of it.
        if (fuzz::isUtf8(text)) FUZZ_CHECK(fuzz::isUtf8(e.what()));
    }
    try {
        const bool b = textToBoolean(text);
        if (numeric) {
            FUZZ_CHECK(b == (textToNumber(text) != 0.0));
        } else {
            const std::string word = lower(withoutBlanks(text));
            FUZZ_CHECK((word == "true" && b) || (word == "false" && !b));
        }
    } catch (const ConversionError& e) {
        FUZZ_CHECK(!numeric);
        if (fuzz::isUtf8(text)) FUZZ_CHECK(fuzz::isUtf8(e.what()));
    }
}

} // namespace
} // namespace cursovia

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cursovia;
    checkText(std::string_view(reinterpret_cast<const char*>(data), size));
    // The first eight bytes as a double, for the way numbers are written.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) checkWritten(value);
        checkToInt32(value);
    }
    return 0;
}
