#pragma once
#include <cstdint>

namespace cursovia {

// Windows virtual-key codes; every platform reports its keys in these.
namespace vk {
inline constexpr std::uint32_t Control = 0x11;
inline constexpr std::uint32_t S = 0x53;
inline constexpr std::uint32_t F6 = 0x75;
inline constexpr std::uint32_t LeftControl = 0xA2;
inline constexpr std::uint32_t RightControl = 0xA3;
} // namespace vk

struct KeyEvent {
    std::uint32_t virtualKey = 0;
    bool down = false; // key press (also auto-repeat) or release
};

class KeySink {
public:
    virtual ~KeySink() = default;
    // Called on the user-interface thread for every key event on the desktop.
    // Must return quickly; it never blocks the key.
    virtual void onKeyEvent(const KeyEvent& event) = 0;
};

// Observes every key pressed or released on the desktop, whichever
// application has the focus, without ever grabbing or blocking a key.
class KeyEventSource {
public:
    virtual ~KeyEventSource() = default;
    // Starts delivering events to `sink`. Returns false when the platform refuses.
    virtual bool install(KeySink& sink) = 0;
    // Stops delivering events. Harmless when not installed.
    virtual void remove() = 0;
    // Whether the key is held down right now (to know the modifiers held at install).
    virtual bool isKeyDown(std::uint32_t virtualKey) = 0;
};

} // namespace cursovia
