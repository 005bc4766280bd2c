#pragma once
#include "automation/KeyCombination.h"

#include <optional>
#include <vector>

namespace cursovia::win32 {

// The Windows virtual keys of the keys the core has names for.
std::optional<Key> keyForVirtualKey(unsigned virtualKey);

// The virtual key that is `key`; nullopt for a key the table does not know.
std::optional<unsigned> virtualKeyForKey(Key key);

// The modifiers held when the message being handled was posted (GetKeyState).
Modifiers modifiersAtMessage();

} // namespace cursovia::win32
