#include "desktop/SkinFile.h"

#include "base/FilePaths.h"
#include "base/SplitText.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace cursovia {
namespace {

struct Entry {
    std::string_view name;
    std::optional<std::uint32_t> SkinColours::*colour;
};

constexpr std::array<Entry, 7> Entries{{
    {"window", &SkinColours::window},
    {"text", &SkinColours::text},
    {"button", &SkinColours::button},
    {"buttontext", &SkinColours::buttonText},
    {"field", &SkinColours::field},
    {"fieldtext", &SkinColours::fieldText},
    {"highlight", &SkinColours::highlight},
}};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::optional<std::uint32_t> parseColour(std::string_view s) {
    if (s.size() != 7 || s[0] != '#') return std::nullopt;
    std::uint32_t value = 0;
    for (char c : s.substr(1)) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace

SkinColours parseSkin(std::string_view text) {
    SkinColours colours;
    int lineNumber = 0;
    for (std::string_view raw : splitAt(text, "\n")) {
        ++lineNumber;
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        const std::size_t equals = line.find('=');
        const auto fail = [&](const std::string& why) {
            throw std::runtime_error("Skin file line " + std::to_string(lineNumber) + ": " + why);
        };
        if (equals == std::string_view::npos) fail("expected name = #RRGGBB");
        const std::string name = lower(trim(line.substr(0, equals)));
        const auto colour = parseColour(trim(line.substr(equals + 1)));
        if (!colour) fail("expected a colour written #RRGGBB");
        bool known = false;
        for (const Entry& e : Entries)
            if (e.name == name) {
                colours.*e.colour = colour;
                known = true;
            }
        if (!known) fail("unknown name \"" + name + "\"");
    }
    return colours;
}

SkinColours readSkinFile(const std::string& utf8Path) {
    constexpr std::streamsize limit = 64 * 1024;
    std::ifstream in(pathFromUtf8(utf8Path), std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open the skin file " + utf8Path);
    std::string text(static_cast<std::size_t>(limit) + 1, '\0');
    in.read(text.data(), limit + 1);
    if (in.gcount() > limit) throw std::runtime_error("The skin file " + utf8Path + " is larger than 64 KiB");
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parseSkin(text);
}

} // namespace cursovia
