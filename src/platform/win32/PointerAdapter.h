#pragma once
#include "automation/Pointer.h"

namespace cursovia::win32 {

// The pointer in physical screen pixels (the program is per-monitor DPI aware),
// so a captured position replays to the same pixel on any monitor.
class CursorPointer : public Pointer {
public:
    void moveTo(ScreenPoint at) override;
    void buttons(std::span<const ButtonEvent> events) override;
    void wheel(WheelStep step) override;
    void settle() override;
    ScreenPoint position() override;
    std::vector<ScreenArea> screens() override;
};

} // namespace cursovia::win32
