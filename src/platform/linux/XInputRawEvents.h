#pragma once
#include "XDisplay.h"

#include <functional>
#include <memory>

class QSocketNotifier;

namespace cursovia::qtx11 {

// One raw key event as the server reports it.
struct RawInputEvent {
    bool pressed = false;
    // The key's code.
    int detail = 0;
};

// XInput2 raw key presses and releases of the whole X display,
// selected on the root window for the master devices and read from an X
// connection of its own whose socket the Qt event loop watches. It only
// listens and never grabs, so every event still reaches its window. Events
// synthesised with XTest arrive like real ones. Under Wayland it sees only
// what XWayland sees.
class XInputRawEvents {
public:
    using Handler = std::function<void(const RawInputEvent&)>;

    XInputRawEvents();
    ~XInputRawEvents();

    // False without a display or without XInput 2.1 (needed for raw events
    // while another client holds a grab).
    bool available() const { return opcode_ >= 0; }
    // Starts handing every event to `handler`, on the user-interface thread.
    bool start(Handler handler);
    void stop();
    bool started() const { return notifier_ != nullptr; }

    // The connection, for queries about the state the events left behind.
    _XDisplay* display() const { return display_.get(); }
    // A round trip on display() may move events into Xlib's queue, where the
    // socket notifier cannot see them: they are read once the caller is done.
    void readQueuedEventsLater();

private:
    void select(bool on);
    void readEvents();

    XDisplay display_;
    int opcode_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    Handler handler_;
};

} // namespace cursovia::qtx11
