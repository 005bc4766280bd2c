#include "VirtualKeyTable.h"

#include <windows.h>

namespace cursovia::win32 {
namespace {

struct VirtualKeyMapping {
    unsigned virtualKey;
    Key key;
};

// The low-level hook reports each side of a modifier on its own; the
// side-less codes come from injected input that names no side.
constexpr VirtualKeyMapping Table[] = {
    {VK_LCONTROL, Key::LeftCtrl}, {VK_RCONTROL, Key::RightCtrl}, {VK_LMENU, Key::LeftAlt}, {VK_RMENU, Key::RightAlt},
    {VK_LSHIFT, Key::LeftShift},  {VK_RSHIFT, Key::RightShift},  {VK_LWIN, Key::LeftWin},  {VK_RWIN, Key::RightWin},
    {VK_CONTROL, Key::LeftCtrl},  {VK_MENU, Key::LeftAlt},       {VK_SHIFT, Key::LeftShift},
    {VK_MULTIPLY, Key::NumMultiply}, {VK_ADD, Key::NumAdd}, {VK_SUBTRACT, Key::NumSubtract},
    {VK_DECIMAL, Key::NumDecimal}, {VK_DIVIDE, Key::NumDivide},
    {VK_ESCAPE, Key::Escape}, {VK_BACK, Key::Backspace}, {VK_TAB, Key::Tab}, {VK_RETURN, Key::Enter},
    {VK_SPACE, Key::Space}, {VK_PAUSE, Key::Pause}, {VK_INSERT, Key::Insert}, {VK_DELETE, Key::Delete},
    {VK_HOME, Key::Home}, {VK_END, Key::End}, {VK_PRIOR, Key::PageUp}, {VK_NEXT, Key::PageDown},
    {VK_LEFT, Key::Left}, {VK_UP, Key::Up}, {VK_RIGHT, Key::Right}, {VK_DOWN, Key::Down},
    {VK_SNAPSHOT, Key::PrintScreen}, {VK_SCROLL, Key::ScrollLock}, {VK_APPS, Key::Menu},
};

// Runs of virtual keys that follow the runs of keys.
struct VirtualKeyRun {
    unsigned first;
    Key firstKey, lastKey;
};

constexpr VirtualKeyRun Runs[] = {
    {'A', Key::A, Key::Z}, {'0', Key::Digit0, Key::Digit9}, {VK_F1, Key::F1, Key::F24}, {VK_NUMPAD0, Key::Num0, Key::Num9},
};

int index(Key key) { return static_cast<int>(key); }

struct ModifierMapping {
    int virtualKey;
    Modifier modifier;
};

constexpr ModifierMapping ModifierTable[] = {
    {VK_CONTROL, Modifier::Ctrl}, {VK_MENU, Modifier::Alt}, {VK_SHIFT, Modifier::Shift},
    {VK_LWIN, Modifier::Win},     {VK_RWIN, Modifier::Win},
};

} // namespace

std::optional<Key> keyForVirtualKey(unsigned virtualKey) {
    for (const VirtualKeyMapping& m : Table)
        if (m.virtualKey == virtualKey) return m.key;
    for (const VirtualKeyRun& r : Runs)
        if (virtualKey >= r.first && virtualKey <= r.first + static_cast<unsigned>(index(r.lastKey) - index(r.firstKey)))
            return static_cast<Key>(index(r.firstKey) + static_cast<int>(virtualKey - r.first));
    return std::nullopt;
}

std::optional<unsigned> virtualKeyForKey(Key key) {
    for (const VirtualKeyMapping& m : Table)
        if (m.key == key) return m.virtualKey;
    for (const VirtualKeyRun& r : Runs)
        if (index(key) >= index(r.firstKey) && index(key) <= index(r.lastKey))
            return r.first + static_cast<unsigned>(index(key) - index(r.firstKey));
    return std::nullopt;
}

Modifiers modifiersAtMessage() {
    Modifiers held;
    for (const ModifierMapping& m : ModifierTable)
        if (GetKeyState(m.virtualKey) < 0) held = held | m.modifier;
    return held;
}

} // namespace cursovia::win32
