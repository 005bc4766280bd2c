#pragma once
#include "XInputRawEvents.h"
#include "automation/MouseEvents.h"

namespace cursovia {
class EventLoop;
}

namespace cursovia::qtx11 {

// Every left, right and middle button press and release and every notch of
// the vertical wheel on the X display, from XInput2 raw button events (see
// XInputRawEvents). The position is the pointer's and the time the event
// loop's clock, both read when the event is received.
class XInputMouseSource : public MouseEventSource {
public:
    // `clock` gives the events' times: the program's own event loop.
    explicit XInputMouseSource(EventLoop& clock);

    // False without a display or without XInput 2.1.
    bool install(MouseSink& sink) override;
    void remove() override;
    // From Qt's style hints.
    ClickLimits clickLimits() override;

private:
    void onRawButton(const RawInputEvent& raw);
    ScreenPoint pointerPosition();

    EventLoop& clock_;
    XInputRawEvents events_;
    MouseSink* sink_ = nullptr;
};

} // namespace cursovia::qtx11
