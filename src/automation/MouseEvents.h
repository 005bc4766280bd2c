#pragma once
#include "automation/Pointer.h"
#include "base/EventLoop.h"

#include <chrono>
#include <cstdint>

namespace cursovia {

// One thing the user did with the mouse, anywhere on the desktop: a button
// going down or up, or one notch of the wheel.
struct MouseEvent {
    enum class Kind : std::uint8_t { Button, Wheel };
    Kind kind = Kind::Button;
    ButtonEvent button{MouseButton::Left, false}; // for Button
    WheelStep step = WheelStep::Up;               // for Wheel
    // Where the pointer stood when it happened, in the coordinates of Pointer.
    ScreenPoint at;
    // When it happened, on the event loop's clock (EventLoop::now).
    MonotonicTime time{};
    // The point lies on one of this program's own windows (its main window,
    // a menu, a message box).
    bool overOwnWindow = false;

    friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};

// The desktop's own limits for telling clicks apart, as the user set them.
struct ClickLimits {
    // A second click within this time of the first, and within this
    // rectangle centred on it, makes a double click.
    std::chrono::milliseconds doubleClickTime{500};
    std::int32_t doubleClickWidth = 4, doubleClickHeight = 4;
    // A press that moves further than this before its release is a drag.
    std::int32_t dragDistance = 4;

    friend bool operator==(const ClickLimits&, const ClickLimits&) = default;
};

class MouseSink {
public:
    virtual ~MouseSink() = default;
    // Called on the user-interface thread for every button and wheel event on
    // the desktop, in the order they happened. Must return quickly.
    virtual void onMouseEvent(const MouseEvent& event) = 0;
};

// Observes every mouse button and wheel event on the desktop, whichever
// window is under the pointer, without ever grabbing, blocking or delaying one.
class MouseEventSource {
public:
    virtual ~MouseEventSource() = default;
    // Starts delivering events to `sink`. Returns false when the platform refuses.
    virtual bool install(MouseSink& sink) = 0;
    // Stops delivering events. Harmless when not installed.
    virtual void remove() = 0;
    virtual ClickLimits clickLimits() = 0;
};

} // namespace cursovia
