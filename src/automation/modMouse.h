#pragma once
#include "automation/Pointer.h"

#include <string>

namespace cursovia {

// The program's only way to touch the pointer. No pause anywhere: not
// between a move and a click, nor between the two clicks of a double click.
class modMouse {
public:
    explicit modMouse(Pointer& pointer) : pointer_(pointer) {}

    void MoveMouse(std::int32_t x, std::int32_t y) { pointer_.moveTo({x, y}); }
    void LeftClick() { pointer_.leftClick(); }
    void LeftDoubleClick() {
        pointer_.leftClick();
        pointer_.leftClick();
    }

    struct Captions {
        std::string x, y;
    };
    // The pointer's position as the X and Y labels show it: plain decimal, "-" when negative.
    Captions CaptureMousePosition() {
        const ScreenPoint at = pointer_.position();
        return {std::to_string(at.x), std::to_string(at.y)};
    }

private:
    Pointer& pointer_;
};

} // namespace cursovia
