#pragma once
#include "actions/TextEncoding.h"

namespace cursovia::win32 {

// Action files in the system's ANSI code page (CP_ACP).
class AnsiCodePage : public TextEncoding {
public:
    std::string toFile(const std::string& text) override;
    std::string fromFile(const std::string& bytes) override;
};

} // namespace cursovia::win32
