#pragma once
#include "XInputRawEvents.h"
#include "automation/KeyEvents.h"

namespace cursovia::qtx11 {

// Every key pressed or released on the X display, whichever window has the
// focus, from XInput2 raw key events (see XInputRawEvents).
class XInputKeySource : public KeyEventSource {
public:
    // False without a display or without XInput 2.1.
    bool install(KeySink& sink) override;
    void remove() override;
    // From the keyboard's state as the server holds it now.
    bool isKeyDown(Key key) override;

private:
    void onRawKey(const RawInputEvent& raw);

    XInputRawEvents events_;
    KeySink* sink_ = nullptr;
};

} // namespace cursovia::qtx11
