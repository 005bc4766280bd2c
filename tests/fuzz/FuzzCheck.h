#pragma once
// What the fuzz targets check: a broken property prints where and aborts,
// which libFuzzer reports as a crash and keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace cursovia::fuzz {

// Whether `text` is well-formed UTF-8: no stray or missing continuation bytes,
// no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the first continuation byte
        if (b < 0x80) length = 1;
        else if (b >= 0xC2 && b <= 0xDF) length = 2;
        else if (b == 0xE0) length = 3, low = 0xA0;
        else if (b == 0xED) length = 3, high = 0x9F;
        else if (b >= 0xE1 && b <= 0xEF) length = 3;
        else if (b == 0xF0) length = 4, low = 0x90;
        else if (b == 0xF4) length = 4, high = 0x8F;
        else if (b >= 0xF1 && b <= 0xF3) length = 4;
        else return false;
        if (text.size() - i < static_cast<std::size_t>(length)) return false;
        for (int k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

} // namespace cursovia::fuzz
