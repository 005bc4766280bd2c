#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace cursovia {

// Pixels in the coordinate system the platform reports the pointer in, so a
// captured position replayed later puts the pointer back in the same place.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// One screen's area in the same coordinates, `right` and `bottom` excluded.
struct ScreenArea {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// A button going down (pressed) or up (released).
struct ButtonEvent {
    MouseButton button;
    bool pressed;
    friend bool operator==(const ButtonEvent&, const ButtonEvent&) = default;
};

// One notch of the wheel, away from the user (Up) or towards the user (Down).
enum class WheelStep : std::uint8_t { Up, Down };

// The real pointer, its buttons and its wheel. Results of the platform are
// not examined: a refused move or click goes unnoticed.
//
// Moves, buttons and wheel steps take effect in the order they are sent, but
// a call may return before the system has carried its event out; `settle`
// waits until it has. Waiting once after a group of events rather than after
// each one lets a platform whose system is a server take the group in one
// exchange.
class Pointer {
public:
    virtual ~Pointer() = default;
    // The pointer jumps to `at`: events sent after this one happen there.
    virtual void moveTo(ScreenPoint at) = 0;
    // The button events where the pointer is, in order, sent as one injection
    // with no pause between them: nothing else can come between them.
    virtual void buttons(std::span<const ButtonEvent> events) = 0;
    virtual void wheel(WheelStep step) = 0;
    // Returns once every event sent before has taken effect: the pointer
    // stands where it was last sent and each button is as it was last sent.
    // A system that holds the pointer for a while (a grab) is given up on
    // after a short time, unreported.
    virtual void settle() = 0;
    virtual ScreenPoint position() = 0;
    // The screens' areas; none when the platform cannot tell.
    virtual std::vector<ScreenArea> screens() = 0;
};

} // namespace cursovia
