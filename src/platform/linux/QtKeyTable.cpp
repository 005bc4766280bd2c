#include "QtKeyTable.h"

#include "KeysymTable.h"

namespace cursovia::qtx11 {
namespace {

struct QtKeyMapping {
    int qtKey;
    Key key;
};

constexpr QtKeyMapping Table[] = {
    {Qt::Key_Escape, Key::Escape}, {Qt::Key_Tab, Key::Tab},       {Qt::Key_Backtab, Key::Tab},
    {Qt::Key_Backspace, Key::Backspace}, {Qt::Key_Return, Key::Enter}, {Qt::Key_Enter, Key::Enter},
    {Qt::Key_Insert, Key::Insert}, {Qt::Key_Delete, Key::Delete}, {Qt::Key_Pause, Key::Pause},
    {Qt::Key_Print, Key::PrintScreen}, {Qt::Key_Home, Key::Home}, {Qt::Key_End, Key::End},
    {Qt::Key_Left, Key::Left},     {Qt::Key_Up, Key::Up},         {Qt::Key_Right, Key::Right},
    {Qt::Key_Down, Key::Down},     {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_ScrollLock, Key::ScrollLock}, {Qt::Key_Menu, Key::Menu},
};

struct QtModifierMapping {
    Qt::KeyboardModifier qt;
    Modifier modifier;
};

constexpr QtModifierMapping ModifierTable[] = {
    {Qt::ControlModifier, Modifier::Ctrl}, {Qt::AltModifier, Modifier::Alt},
    {Qt::ShiftModifier, Modifier::Shift},  {Qt::MetaModifier, Modifier::Win},
};

} // namespace

std::optional<Key> keyForQtKey(const QKeyEvent& event) {
    if (event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F24)
        return static_cast<Key>(static_cast<int>(Key::F1) + (event.key() - Qt::Key_F1));
    for (const QtKeyMapping& m : Table)
        if (m.qtKey == event.key()) return m.key;
    if (event.key() > 0 && event.key() < 0x100) return keyForKeysym(static_cast<unsigned long>(event.key()));
    return std::nullopt;
}

Modifiers modifiersForQt(Qt::KeyboardModifiers held) {
    Modifiers modifiers;
    for (const QtModifierMapping& m : ModifierTable)
        if (held.testFlag(m.qt)) modifiers = modifiers | m.modifier;
    return modifiers;
}

} // namespace cursovia::qtx11
