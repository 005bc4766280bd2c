#pragma once
#include "XDisplay.h"
#include "automation/Pointer.h"

namespace cursovia::x11 {

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
class XTestPointer : public Pointer {
public:
    XTestPointer();
    void moveTo(ScreenPoint at) override;
    void leftClick() override;
    ScreenPoint position() override;

private:
    struct State {
        ScreenPoint at;
        bool leftDown = false;
    };
    State query();
    template <typename Done>
    void waitFor(Done done);

    XDisplay display_;
    bool hasXTest_ = false;
};

} // namespace cursovia::x11
