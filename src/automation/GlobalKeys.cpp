#include "automation/GlobalKeys.h"

#include "base/SettingsKeys.h"
#include "base/SettingsStore.h"

namespace cursovia {
namespace {

struct RoleSpec {
    const char* name;
    const settings::Key& setting;
    KeyCombination fallback;
};

const RoleSpec Roles[] = {
    {"Capture", settings::CaptureKey, {{}, Key::F6}},
    {"Stop", settings::StopKey, {Modifier::Ctrl, Key::S}},
    {"Start/stop", settings::StartKey, {}},
};

const RoleSpec& spec(KeyRole role) { return Roles[static_cast<std::size_t>(role)]; }

constexpr Modifiers operator|(Modifier a, Modifier b) { return Modifiers(a) | Modifiers(b); }

// Combinations the system keeps for itself; any more modifiers held with them
// change nothing for the system.
const KeyCombination Reserved[] = {
    {Modifier::Ctrl | Modifier::Alt, Key::Delete}, {Modifier::Alt, Key::Tab},      {Modifier::Alt, Key::F4},
    {Modifier::Alt, Key::Escape},                  {Modifier::Ctrl, Key::Escape},  {Modifier::Win, Key::L},
    {Modifier::Win, Key::D},                       {Modifier::Win, Key::Tab},      {Modifier::Win, Key::R},
    {Modifier::Win, Key::E},                       {Modifier::Ctrl | Modifier::Alt, Key::F1},
};

bool reserved(const KeyCombination& c) {
    for (const KeyCombination& r : Reserved)
        if (c.key == r.key && c.modifiers.includes(r.modifiers)) return true;
    return false;
}

// On ties the stop key wins: stopping must never lose to another role.
int tieRank(KeyRole role) { return role == KeyRole::Stop ? 2 : role == KeyRole::Start ? 1 : 0; }

} // namespace

const KeyCombination& defaultKey(KeyRole role) { return spec(role).fallback; }
std::string roleName(KeyRole role) { return spec(role).name; }
bool mayBeEmpty(KeyRole role) { return role == KeyRole::Start; }

std::optional<KeyRole> decideKey(const GlobalKeys& keys, Key key, Modifiers held) {
    std::optional<KeyRole> best;
    for (KeyRole role : KeyRoles) {
        const KeyCombination& c = keys[role];
        if (c.empty() || c.key != key || !held.includes(c.modifiers)) continue;
        if (!best) {
            best = role;
            continue;
        }
        const int more = c.modifiers.count() - keys[*best].modifiers.count();
        if (more > 0 || (more == 0 && tieRank(role) > tieRank(*best))) best = role;
    }
    return best;
}

std::optional<std::string> refusal(const GlobalKeys& keys, KeyRole role, const KeyCombination& combination) {
    if (combination.empty())
        return mayBeEmpty(role) ? std::nullopt
                                : std::optional<std::string>("The " + roleName(role) + " key cannot be none.");
    if (modifierOf(combination.key) != Modifier::None) return modifierAloneRefusal(combination.key);
    const std::string text = combinationText(combination);
    if (reserved(combination))
        return text + " is kept by the system for itself. Please choose another combination for the " +
               roleName(role) + " key.";
    for (KeyRole other : KeyRoles)
        if (other != role && keys[other] == combination)
            return text + " is already the " + roleName(other) + " key. Please choose another combination for the " +
                   roleName(role) + " key.";
    return std::nullopt;
}

std::string modifierAloneRefusal(Key modifierKey) {
    return keyName(modifierKey) + " alone cannot be a key: hold it and press another key with it.";
}

std::string readGlobalKeys(SettingsStore& settings, GlobalKeys& keys) {
    keys = GlobalKeys{};
    std::string ignored;
    for (KeyRole role : KeyRoles) {
        const RoleSpec& s = spec(role);
        const std::string stored = settings.read(std::string(s.setting.name), combinationText(s.fallback));
        const std::optional<KeyCombination> parsed = parseCombination(stored);
        if (parsed && !refusal(keys, role, *parsed)) {
            keys[role] = *parsed;
            continue;
        }
        ignored += "The setting \"" + std::string(s.setting.name) + "\" holds \"" + stored +
                   "\", which cannot be used; the " + roleName(role) + " key is " +
                   (s.fallback.empty() ? std::string("none") : combinationText(s.fallback)) + ".\r\n";
    }
    // A default that another stored key already took leaves all three at their defaults.
    for (KeyRole role : KeyRoles)
        if (refusal(keys, role, keys[role])) keys = GlobalKeys{};
    if (!ignored.empty()) ignored.erase(ignored.size() - 2);
    return ignored;
}

void writeGlobalKey(SettingsStore& settings, KeyRole role, const KeyCombination& combination) {
    settings.write(std::string(spec(role).setting.name), combinationText(combination));
}

KeyCombination shownStopKey(const GlobalKeys& keys) {
    const KeyCombination& stop = keys[KeyRole::Stop];
    if (stop == defaultKey(KeyRole::Stop)) return {Modifier::Ctrl | Modifier::Alt, Key::S};
    return stop;
}

std::string positionLabelCaption(const GlobalKeys& keys) {
    return "Mouse mouse and press " + combinationText(keys[KeyRole::Capture]) + " to set position";
}

std::string startCaption(const GlobalKeys& keys) {
    return "Start Running (Press " + combinationText(shownStopKey(keys), " + ") + " To Stop)";
}

std::string stopCaption(const GlobalKeys& keys) {
    return "Stop Running (Press " + combinationText(shownStopKey(keys), " + ") + " To Stop)";
}

std::string keyBoxCaption(const GlobalKeys& keys, KeyRole role, bool choosing) {
    if (choosing) return mayBeEmpty(role) ? "Press keys (Esc: cancel, Backspace: none)" : "Press keys (Esc: cancel)";
    return keys[role].empty() ? "(none)" : combinationText(keys[role]);
}

} // namespace cursovia
