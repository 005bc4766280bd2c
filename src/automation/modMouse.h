#pragma once
#include "automation/Pointer.h"

#include <array>
#include <initializer_list>
#include <string>

namespace cursovia {

// The program's only way to touch the pointer. No pause anywhere: not
// between a move and a click, nor between the two clicks of a double click.
// It remembers which buttons it left pressed, so that whoever ends a run can
// let go of them. Its calls send without waiting for the system to carry
// them out; Settle waits for everything sent so far.
class modMouse {
public:
    explicit modMouse(Pointer& pointer) : pointer_(pointer) {}

    void MoveMouse(std::int32_t x, std::int32_t y) { pointer_.moveTo({x, y}); }
    void LeftClick() { click(MouseButton::Left); }
    void LeftDoubleClick() { doubleClick(MouseButton::Left); }
    void RightClick() { click(MouseButton::Right); }
    void RightDoubleClick() { doubleClick(MouseButton::Right); }
    void MiddleClick() { click(MouseButton::Middle); }
    void LeftDown() { send({{MouseButton::Left, true}}); }
    // Sent whether or not the button is down.
    void LeftUp() { send({{MouseButton::Left, false}}); }
    void ScrollUp() { pointer_.wheel(WheelStep::Up); }
    void ScrollDown() { pointer_.wheel(WheelStep::Down); }

    // Once the events sent so far have taken effect, the next ones cannot
    // overtake them.
    void Settle() { pointer_.settle(); }

    // Releases every button a press of this module left down, and waits for
    // everything sent to take effect: nothing is left in flight when a run
    // ends or the program closes.
    void ReleaseHeldButtons() {
        for (std::size_t b = 0; b < held_.size(); ++b)
            if (held_[b]) send({{static_cast<MouseButton>(b), false}});
        Settle();
    }

    std::vector<ScreenArea> Screens() { return pointer_.screens(); }

    struct Captions {
        std::string x, y;
    };
    // The pointer's position as the X and Y labels show it: plain decimal, "-" when negative.
    Captions CaptureMousePosition() {
        const ScreenPoint at = pointer_.position();
        return {std::to_string(at.x), std::to_string(at.y)};
    }

private:
    void click(MouseButton b) { send({{b, true}, {b, false}}); }
    void doubleClick(MouseButton b) {
        click(b);
        click(b);
    }
    void send(std::initializer_list<ButtonEvent> events) {
        pointer_.buttons(std::span<const ButtonEvent>(events.begin(), events.size()));
        for (const ButtonEvent& e : events) held_[static_cast<std::size_t>(e.button)] = e.pressed;
    }

    Pointer& pointer_;
    std::array<bool, 3> held_{};
};

} // namespace cursovia
