#pragma once
#include <cstdint>

namespace cursovia {

// Windows virtual-key codes; every platform reports its keys in these.
namespace vk {
inline constexpr std::uint32_t Control = 0x11;
inline constexpr std::uint32_t Delete = 0x2E;
inline constexpr std::uint32_t S = 0x53;
inline constexpr std::uint32_t F6 = 0x75;
inline constexpr std::uint32_t LeftControl = 0xA2;
inline constexpr std::uint32_t RightControl = 0xA3;
} // namespace vk

} // namespace cursovia
