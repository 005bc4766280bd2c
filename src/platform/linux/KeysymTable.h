#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace cursovia::x11 {

// The X keysyms the global keys listen for, and the virtual keys the core
// knows them by. Keysyms are passed as plain numbers so that no X11 header
// (and its macros) leaks into the files that include this one.
std::optional<std::uint32_t> virtualKeyForKeysym(unsigned long keysym);

// Every keysym that counts as `virtualKey`; vk::Control answers for the
// Ctrl key on either side. Empty for a key the table does not know.
std::vector<unsigned long> keysymsForVirtualKey(std::uint32_t virtualKey);

} // namespace cursovia::x11
