#pragma once
#include "automation/KeyCombination.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace cursovia {

class SettingsStore;

// The three global keys the user chooses.
enum class KeyRole : std::uint8_t { Capture, Stop, Start };
inline constexpr std::array<KeyRole, 3> KeyRoles{KeyRole::Capture, KeyRole::Stop, KeyRole::Start};

struct GlobalKeys {
    // Capture F6; Stop S while Ctrl is held (Alt and Shift do not matter); Start none.
    std::array<KeyCombination, 3> chosen{{{{}, Key::F6}, {Modifier::Ctrl, Key::S}, {}}};

    const KeyCombination& operator[](KeyRole role) const { return chosen[static_cast<std::size_t>(role)]; }
    KeyCombination& operator[](KeyRole role) { return chosen[static_cast<std::size_t>(role)]; }
};

const KeyCombination& defaultKey(KeyRole role);
// "Capture", "Stop", "Start/stop": how messages name the role.
std::string roleName(KeyRole role);
// Only the start/stop key may be none.
bool mayBeEmpty(KeyRole role);

// The role a key going down triggers while `held` modifiers are down: a
// combination counts when its key goes down while at least its modifiers are
// held; of two that count, the one with more modifiers wins.
std::optional<KeyRole> decideKey(const GlobalKeys& keys, Key key, Modifiers held);

// Why `combination` cannot become the key of `role`, in words for the user;
// nullopt when it can.
std::optional<std::string> refusal(const GlobalKeys& keys, KeyRole role, const KeyCombination& combination);
// The refusal for a modifier pressed and released on its own.
std::string modifierAloneRefusal(Key modifierKey);

// The keys stored in the settings; a missing value means the default, and so
// does one that cannot be read or is refused, whose setting is then named
// in the returned message (empty when all were taken).
std::string readGlobalKeys(SettingsStore& settings, GlobalKeys& keys);
void writeGlobalKey(SettingsStore& settings, KeyRole role, const KeyCombination& combination);

// --- The captions that name the keys -------------------------------------
// The stop key as the texts name it: with the default Ctrl+S they have
// always said Ctrl+Alt+S, which stops a run as well.
KeyCombination shownStopKey(const GlobalKeys& keys);

std::string positionLabelCaption(const GlobalKeys& keys); // Label1
std::string startCaption(const GlobalKeys& keys);         // PushButton5 with no run
std::string stopCaption(const GlobalKeys& keys);          // PushButton5 during a run
// The Keys frame's boxes: the key's text, "(none)" for none, or the prompt while choosing.
std::string keyBoxCaption(const GlobalKeys& keys, KeyRole role, bool choosing);

} // namespace cursovia
