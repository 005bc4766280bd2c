#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cursovia {

// The skin file: plain text, one "name = #RRGGBB" per line. Blank lines and
// lines starting with '#' or ';' are ignored; names compare without letter
// case; a name not listed leaves that colour as the desktop has it.
//
//   window      the window's background and its frames, labels and options
//   text        the text on those
//   button      push button faces
//   buttonText  push button text
//   field       the list and the wait box
//   fieldText   their text
//   highlight   the selected row
struct SkinColours {
    std::optional<std::uint32_t> window, text, button, buttonText, field, fieldText, highlight;
    friend bool operator==(const SkinColours&, const SkinColours&) = default;
};

// Throws std::runtime_error naming the line for anything else.
SkinColours parseSkin(std::string_view text);

// Reads and parses the skin file at `utf8Path` (at most 64 KiB). Throws
// std::runtime_error with a readable reason.
SkinColours readSkinFile(const std::string& utf8Path);

} // namespace cursovia
