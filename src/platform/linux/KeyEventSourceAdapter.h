#pragma once
#include "XDisplay.h"
#include "automation/KeyEvents.h"

#include <memory>

class QSocketNotifier;

namespace cursovia::qtx11 {

// Every key pressed or released on the X display, whichever window has the
// focus: XInput2 raw key events selected on the root window, read from an X
// connection of its own whose socket the Qt event loop watches. It only
// listens and never grabs, so every key still reaches the focused window.
// Keys synthesised with XTest arrive like real ones. Under Wayland it sees
// only what XWayland sees.
class XInputKeySource : public KeyEventSource {
public:
    XInputKeySource();
    ~XInputKeySource() override;

    // False without a display or without XInput 2.1 (needed for raw events
    // while another client holds a grab).
    bool install(KeySink& sink) override;
    void remove() override;
    // From the keyboard's state as the server holds it now.
    bool isKeyDown(Key key) override;

private:
    void selectRawKeys(bool on);
    void readEvents();

    XDisplay display_;
    int xinputOpcode_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    KeySink* sink_ = nullptr;
};

} // namespace cursovia::qtx11
