#pragma once
#include "automation/KeyEvents.h"

#include <optional>
#include <vector>

namespace cursovia::qtx11 {

// The X keysyms of the keys the core has names for. Keysyms are passed as
// plain numbers so that no X11 header (and its macros) leaks into the files
// that include this one.
std::optional<Key> keyForKeysym(unsigned long keysym);

// Every keysym that is `key`. Empty for a key the table does not know.
std::vector<unsigned long> keysymsForKey(Key key);

} // namespace cursovia::qtx11
