#include "TextEncodingAdapter.h"

#include <optional>
#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

struct LeadByte {
    unsigned char first, last;           // range of the lead byte
    int continuations;                   // bytes that follow it
    unsigned char secondLow, secondHigh; // allowed range of the first continuation
};

// The well-formed sequences: no overlong forms, no surrogates, nothing above U+10FFFF.
constexpr LeadByte LeadBytes[] = {
    {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};

const LeadByte* leadByte(unsigned char b) {
    for (const LeadByte& lead : LeadBytes)
        if (b >= lead.first && b <= lead.last) return &lead;
    return nullptr;
}

// The offset of the first byte that does not start a well-formed sequence.
std::optional<std::size_t> firstInvalidByte(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const LeadByte* lead = leadByte(b);
        if (!lead || bytes.size() - i <= static_cast<std::size_t>(lead->continuations)) return i;
        for (int k = 1; k <= lead->continuations; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char low = k == 1 ? lead->secondLow : 0x80;
            const unsigned char high = k == 1 ? lead->secondHigh : 0xBF;
            if (c < low || c > high) return i;
        }
        i += 1 + lead->continuations;
    }
    return std::nullopt;
}

} // namespace

std::string Utf8Encoding::toFile(const std::string& text) { return text; }

std::string Utf8Encoding::fromFile(const std::string& bytes) {
    if (const auto offset = firstInvalidByte(bytes))
        throw std::runtime_error("The file is not UTF-8 text: byte " + std::to_string(*offset + 1) + " of " +
                                 std::to_string(bytes.size()) + " does not start a valid character");
    return bytes;
}

} // namespace cursovia::qtx11
