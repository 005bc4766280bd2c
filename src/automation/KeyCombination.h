#pragma once
#include "automation/KeyEvents.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cursovia {

// Ctrl, Alt, Shift and the Windows (Super) key, as a set.
enum class Modifier : std::uint8_t { None = 0, Ctrl = 1, Alt = 2, Shift = 4, Win = 8 };

struct Modifiers {
    std::uint8_t bits = 0;
    constexpr Modifiers() = default;
    constexpr Modifiers(Modifier m) : bits(static_cast<std::uint8_t>(m)) {}
    constexpr bool has(Modifier m) const { return (bits & static_cast<std::uint8_t>(m)) != 0; }
    constexpr bool includes(Modifiers other) const { return (bits & other.bits) == other.bits; }
    int count() const;
    friend constexpr Modifiers operator|(Modifiers a, Modifiers b) {
        Modifiers m;
        m.bits = static_cast<std::uint8_t>(a.bits | b.bits);
        return m;
    }
    friend constexpr bool operator==(Modifiers, Modifiers) = default;
};

// The modifier a modifier key stands for; None for every other key.
Modifier modifierOf(Key key);

// One key with the modifiers that must be held with it; no key means none chosen.
struct KeyCombination {
    Modifiers modifiers;
    Key key = Key::None;
    bool empty() const { return key == Key::None; }
    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// The key's own name as settings and captions write it ("F6", "S", "Num5");
// empty for Key::None.
std::string keyName(Key key);

// The readable form the settings store: modifiers in the order Ctrl, Alt,
// Shift, Win, then the key, joined by "+" ("Ctrl+Shift+F9"); empty for none.
std::string combinationText(const KeyCombination& combination);
// Joined by `separator` instead ("Ctrl + Alt + S").
std::string combinationText(const KeyCombination& combination, const std::string& separator);
// The reverse; nullopt for a text that names no combination. Case and blanks
// around the parts do not matter; the empty text is none.
std::optional<KeyCombination> parseCombination(const std::string& text);

} // namespace cursovia
