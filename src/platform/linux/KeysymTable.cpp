#include "KeysymTable.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace cursovia::qtx11 {
namespace {

struct KeysymMapping {
    unsigned long keysym;
    Key key;
};

// Keycodes are looked up at level 0 (no Shift); capital letters are listed
// for layouts whose first level already is upper case. The numeric pad's
// keys are listed with Num Lock off too, as the same key.
constexpr KeysymMapping Table[] = {
    {XK_Control_L, Key::LeftCtrl}, {XK_Control_R, Key::RightCtrl}, {XK_Alt_L, Key::LeftAlt},
    {XK_Alt_R, Key::RightAlt},     {XK_ISO_Level3_Shift, Key::RightAlt}, {XK_Shift_L, Key::LeftShift},
    {XK_Shift_R, Key::RightShift}, {XK_Super_L, Key::LeftWin},     {XK_Super_R, Key::RightWin},
    {XK_KP_Multiply, Key::NumMultiply}, {XK_KP_Add, Key::NumAdd}, {XK_KP_Subtract, Key::NumSubtract},
    {XK_KP_Decimal, Key::NumDecimal}, {XK_KP_Delete, Key::NumDecimal}, {XK_KP_Divide, Key::NumDivide},
    {XK_KP_Insert, Key::Num0}, {XK_KP_End, Key::Num1}, {XK_KP_Down, Key::Num2}, {XK_KP_Next, Key::Num3},
    {XK_KP_Left, Key::Num4}, {XK_KP_Begin, Key::Num5}, {XK_KP_Right, Key::Num6}, {XK_KP_Home, Key::Num7},
    {XK_KP_Up, Key::Num8}, {XK_KP_Prior, Key::Num9},
    {XK_Escape, Key::Escape}, {XK_BackSpace, Key::Backspace}, {XK_Tab, Key::Tab}, {XK_ISO_Left_Tab, Key::Tab},
    {XK_Return, Key::Enter}, {XK_KP_Enter, Key::Enter}, {XK_space, Key::Space}, {XK_Pause, Key::Pause},
    {XK_Insert, Key::Insert}, {XK_Delete, Key::Delete}, {XK_Home, Key::Home}, {XK_End, Key::End},
    {XK_Prior, Key::PageUp}, {XK_Next, Key::PageDown}, {XK_Left, Key::Left}, {XK_Up, Key::Up},
    {XK_Right, Key::Right}, {XK_Down, Key::Down}, {XK_Print, Key::PrintScreen}, {XK_Scroll_Lock, Key::ScrollLock},
    {XK_Menu, Key::Menu},
};

// Runs of keysyms that follow the runs of keys.
struct KeysymRun {
    unsigned long first;
    Key firstKey, lastKey;
};

constexpr KeysymRun Runs[] = {
    {XK_a, Key::A, Key::Z},     {XK_A, Key::A, Key::Z},       {XK_0, Key::Digit0, Key::Digit9},
    {XK_F1, Key::F1, Key::F24}, {XK_KP_0, Key::Num0, Key::Num9},
};

int index(Key key) { return static_cast<int>(key); }

} // namespace

std::optional<Key> keyForKeysym(unsigned long keysym) {
    for (const KeysymMapping& m : Table)
        if (m.keysym == keysym) return m.key;
    for (const KeysymRun& r : Runs)
        if (keysym >= r.first && keysym <= r.first + (index(r.lastKey) - index(r.firstKey)))
            return static_cast<Key>(index(r.firstKey) + static_cast<int>(keysym - r.first));
    return std::nullopt;
}

std::vector<unsigned long> keysymsForKey(Key key) {
    std::vector<unsigned long> keysyms;
    for (const KeysymRun& r : Runs)
        if (index(key) >= index(r.firstKey) && index(key) <= index(r.lastKey))
            keysyms.push_back(r.first + static_cast<unsigned long>(index(key) - index(r.firstKey)));
    for (const KeysymMapping& m : Table)
        if (m.key == key) keysyms.push_back(m.keysym);
    return keysyms;
}

} // namespace cursovia::qtx11
