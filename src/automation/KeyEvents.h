#pragma once
#include "base/KeyCodes.h"

#include <cstdint>

namespace cursovia {

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
