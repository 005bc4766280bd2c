#include "KeysymTable.h"

#include "automation/KeyEvents.h"

#include <X11/keysym.h>

namespace cursovia::x11 {
namespace {

struct KeysymMapping {
    unsigned long keysym;
    std::uint32_t virtualKey;
};

// Keycodes are looked up at level 0 (no Shift); the capital S is listed for
// layouts whose first level already is upper case.
constexpr KeysymMapping Table[] = {
    {XK_F6, vk::F6},
    {XK_s, vk::S},
    {XK_S, vk::S},
    {XK_Control_L, vk::LeftControl},
    {XK_Control_R, vk::RightControl},
};

bool countsAs(const KeysymMapping& mapping, std::uint32_t virtualKey) {
    if (mapping.virtualKey == virtualKey) return true;
    return virtualKey == vk::Control &&
           (mapping.virtualKey == vk::LeftControl || mapping.virtualKey == vk::RightControl);
}

} // namespace

std::optional<std::uint32_t> virtualKeyForKeysym(unsigned long keysym) {
    for (const KeysymMapping& m : Table)
        if (m.keysym == keysym) return m.virtualKey;
    return std::nullopt;
}

std::vector<unsigned long> keysymsForVirtualKey(std::uint32_t virtualKey) {
    std::vector<unsigned long> keysyms;
    for (const KeysymMapping& m : Table)
        if (countsAs(m, virtualKey)) keysyms.push_back(m.keysym);
    return keysyms;
}

} // namespace cursovia::x11
