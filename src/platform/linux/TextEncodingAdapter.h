#pragma once
#include "actions/TextEncoding.h"

namespace cursovia::qtx11 {

// Action files on Linux are UTF-8, like the program's own texts.
class Utf8Encoding : public TextEncoding {
public:
    // UTF-8 holds every character: the text goes out unchanged.
    std::string toFile(const std::string& text) override;
    // Throws std::runtime_error naming the first byte that is not UTF-8
    // (stray continuation bytes, overlong forms, surrogates, cut sequences).
    std::string fromFile(const std::string& bytes) override;
};

} // namespace cursovia::qtx11
