#pragma once
#include "XDisplay.h"
#include "automation/Pointer.h"

namespace cursovia::qtx11 {

// The pointer through the XTest extension, on an X connection of its own so
// that its requests never wait behind the toolkit's. Without a display or
// without XTest the calls do nothing and the position reads as 0, 0.
//
// A window manager that focuses on click holds the pointer on a press, and
// fake events sent in a burst then overtake each other (a release lands at
// the next position). So each fake event is followed by watching the
// server's pointer state until the event has taken effect: a move until the
// pointer stands there, a press until the button is down, a release until it
// is up. That is no pause: it typically takes well under a millisecond, and
// is given up after 50 ms (a grab that freezes the pointer), unreported.
// The wheel is buttons 4 and 5, pressed and released.
class XTestPointer : public Pointer {
public:
    XTestPointer();
    void moveTo(ScreenPoint at) override;
    void buttons(std::span<const ButtonEvent> events) override;
    void wheel(WheelStep step) override;
    ScreenPoint position() override;
    std::vector<ScreenArea> screens() override;

private:
    struct State {
        ScreenPoint at;
        unsigned buttonMask = 0;
    };
    State query();
    template <typename Done>
    void waitFor(Done done);
    void button(unsigned number, bool pressed);

    XDisplay display_;
    bool hasXTest_ = false;
};

} // namespace cursovia::qtx11
