#pragma once
#include "XDisplay.h"
#include "XTestButtonEchoes.h"
#include "automation/Pointer.h"

namespace cursovia::qtx11 {

// The pointer through the XTest extension, on an X connection of its own so
// that its requests never wait behind the toolkit's. Without a display or
// without XTest the calls do nothing and the position reads as 0, 0.
//
// The server carries out the fake events of one connection in the order
// sent, so moves and buttons go out without waiting. But a window manager
// that focuses on click holds the pointer on a press until it lets the press
// through, and events sent in the meantime wait in the server: a move sent
// then overtakes the release before it (the release lands at the next
// position). So `settle` waits until what was sent since the last settle has
// been carried out: after button events, until the server has echoed each of
// them (XTestButtonEchoes); after a move alone, or on a server that does not
// echo, until the server's pointer state shows it (the pointer where it was
// last moved, each button sent as it was last sent). A grab that keeps the
// pointer still is given up on after 50 ms, unreported.
// The wheel is buttons 4 and 5, pressed and released.
class XTestPointer : public Pointer {
public:
    XTestPointer();
    void moveTo(ScreenPoint at) override;
    void buttons(std::span<const ButtonEvent> events) override;
    void wheel(WheelStep step) override;
    void settle() override;
    ScreenPoint position() override;
    std::vector<ScreenArea> screens() override;

private:
    struct State {
        ScreenPoint at;
        unsigned buttonMask = 0;
    };
    State query();
    bool shown(const State& state) const;
    void button(unsigned number, bool pressed);

    XDisplay display_;
    bool hasXTest_ = false;
    XTestButtonEchoes echoes_;
    // What was sent since the last settle: where the pointer was moved, if
    // it was, and the buttons sent (`buttonsSent`) with their last state.
    struct Sent {
        bool moved = false;
        ScreenPoint at;
        unsigned buttonsSent = 0, buttonsDown = 0;
    } sent_;
};

} // namespace cursovia::qtx11
