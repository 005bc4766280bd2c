#pragma once
#include "automation/KeyCombination.h"

#include <QKeyEvent>

#include <optional>

namespace cursovia::qtx11 {

// A key event of a Qt widget in the core's terms. Qt's codes of the printable
// keys are their (upper-case) keysyms; the others have codes of Qt's own.
std::optional<Key> keyForQtKey(const QKeyEvent& event);
Modifiers modifiersForQt(Qt::KeyboardModifiers held);

} // namespace cursovia::qtx11
