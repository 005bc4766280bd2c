#pragma once
#include <cstdint>

namespace cursovia {

// The list's key handler knows its keys by Windows virtual-key codes.
namespace vk {
inline constexpr std::uint32_t Delete = 0x2E;
} // namespace vk

} // namespace cursovia
