#include "automation/KeyCombination.h"

#include "base/SplitText.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace cursovia {
namespace {

struct KeyNameEntry {
    Key key;
    const char* name;
};

// Keys whose names are not built from a run of letters, digits or function keys.
constexpr KeyNameEntry NamedKeys[] = {
    {Key::LeftCtrl, "Ctrl"}, {Key::RightCtrl, "Ctrl"}, {Key::LeftAlt, "Alt"}, {Key::RightAlt, "Alt"},
    {Key::LeftShift, "Shift"}, {Key::RightShift, "Shift"}, {Key::LeftWin, "Win"}, {Key::RightWin, "Win"},
    {Key::NumMultiply, "Num*"}, {Key::NumAdd, "Num+"}, {Key::NumSubtract, "Num-"}, {Key::NumDecimal, "Num."},
    {Key::NumDivide, "Num/"}, {Key::Escape, "Esc"}, {Key::Backspace, "Backspace"}, {Key::Tab, "Tab"},
    {Key::Enter, "Enter"}, {Key::Space, "Space"}, {Key::Pause, "Pause"}, {Key::Insert, "Insert"},
    {Key::Delete, "Delete"}, {Key::Home, "Home"}, {Key::End, "End"}, {Key::PageUp, "PageUp"},
    {Key::PageDown, "PageDown"}, {Key::Left, "Left"}, {Key::Up, "Up"}, {Key::Right, "Right"}, {Key::Down, "Down"},
    {Key::PrintScreen, "PrintScreen"}, {Key::ScrollLock, "ScrollLock"}, {Key::Menu, "Menu"},
};

struct KeyRun {
    Key first, last;
    const char* prefix;
    char firstChar; // 0: numbered from 1 (function keys)
};

constexpr KeyRun Runs[] = {
    {Key::A, Key::Z, "", 'A'},
    {Key::Digit0, Key::Digit9, "", '0'},
    {Key::Num0, Key::Num9, "Num", '0'},
    {Key::F1, Key::F24, "F", 0},
};

constexpr struct {
    Modifier modifier;
    const char* name;
} ModifierNames[] = {{Modifier::Ctrl, "Ctrl"}, {Modifier::Alt, "Alt"}, {Modifier::Shift, "Shift"}, {Modifier::Win, "Win"}};

int index(Key key) { return static_cast<int>(key); }

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<Key> keyNamed(const std::string& name) {
    const std::string wanted = upper(name);
    for (const KeyNameEntry& e : NamedKeys)
        if (upper(e.name) == wanted && modifierOf(e.key) == Modifier::None) return e.key;
    for (int k = index(Key::A); k <= index(Key::Menu); ++k)
        if (upper(keyName(static_cast<Key>(k))) == wanted) return static_cast<Key>(k);
    return std::nullopt;
}

} // namespace

int Modifiers::count() const {
    int n = 0;
    for (std::uint8_t b = bits; b; b &= static_cast<std::uint8_t>(b - 1)) ++n;
    return n;
}

Modifier modifierOf(Key key) {
    switch (key) {
    case Key::LeftCtrl:
    case Key::RightCtrl: return Modifier::Ctrl;
    case Key::LeftAlt:
    case Key::RightAlt: return Modifier::Alt;
    case Key::LeftShift:
    case Key::RightShift: return Modifier::Shift;
    case Key::LeftWin:
    case Key::RightWin: return Modifier::Win;
    default: return Modifier::None;
    }
}

std::string keyName(Key key) {
    for (const KeyNameEntry& e : NamedKeys)
        if (e.key == key) return e.name;
    for (const KeyRun& run : Runs)
        if (index(key) >= index(run.first) && index(key) <= index(run.last)) {
            const int offset = index(key) - index(run.first);
            if (run.firstChar) return run.prefix + std::string(1, static_cast<char>(run.firstChar + offset));
            return run.prefix + std::to_string(offset + 1);
        }
    return "";
}

std::string combinationText(const KeyCombination& combination, const std::string& separator) {
    if (combination.empty()) return "";
    std::string text;
    for (const auto& m : ModifierNames)
        if (combination.modifiers.has(m.modifier)) text += std::string(m.name) + separator;
    return text + keyName(combination.key);
}

std::string combinationText(const KeyCombination& combination) { return combinationText(combination, "+"); }

std::optional<KeyCombination> parseCombination(const std::string& text) {
    if (trimmed(text).empty()) return KeyCombination{};
    std::vector<std::string> parts;
    for (const std::string_view part : splitAt(text, "+")) parts.push_back(trimmed(std::string(part)));
    // "Num+" holds the separator itself: "Ctrl+Num+" splits into "Ctrl", "Num", "".
    if (parts.size() >= 2 && parts.back().empty() && upper(parts[parts.size() - 2]) == "NUM") {
        parts.pop_back();
        parts.back() += "+";
    }
    KeyCombination combination;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string name = upper(parts[i]);
        const auto m = std::find_if(std::begin(ModifierNames), std::end(ModifierNames),
                                    [&](const auto& e) { return upper(e.name) == name; });
        if (m == std::end(ModifierNames) || combination.modifiers.has(m->modifier)) return std::nullopt;
        combination.modifiers = combination.modifiers | m->modifier;
    }
    const std::optional<Key> key = keyNamed(parts.back());
    if (!key) return std::nullopt;
    combination.key = *key;
    return combination;
}

} // namespace cursovia
