#pragma once
#include "XRecordButtonEvents.h"
#include "automation/MouseEvents.h"

namespace cursovia {
class EventLoop;
}

namespace cursovia::qtx11 {

// Every left, right and middle button press and release and every notch of
// the vertical wheel on the X display, recorded by the server (see
// XRecordButtonEvents). The position is the one the server gave the event;
// the time is the event loop's clock, read when the event is received.
class XRecordMouseSource : public MouseEventSource {
public:
    // `clock` gives the events' times: the program's own event loop.
    explicit XRecordMouseSource(EventLoop& clock);

    // False without a display or without the RECORD extension.
    bool install(MouseSink& sink) override;
    void remove() override;
    // From Qt's style hints.
    ClickLimits clickLimits() override;

private:
    void onRecordedButton(const RecordedButtonEvent& recorded);

    EventLoop& clock_;
    XRecordButtonEvents events_;
    MouseSink* sink_ = nullptr;
};

} // namespace cursovia::qtx11
