#pragma once
#include "automation/MouseEvents.h"
#include "base/Action.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace cursovia {

// Turns the desktop's stream of button and wheel events into rows: a press
// and release in place is a click, two clicks within the double-click limits
// one double click, a left press released further than the drag distance a
// drag (Left Down, Left Up), a wheel notch a scroll. Each row waits until the
// next action, the last one until the recording ends. Presses on this
// program's own windows are not recorded.
class ClickRecorder {
public:
    explicit ClickRecorder(ClickLimits limits) : limits_(limits) {}

    void add(const MouseEvent& event);
    // The last click of `button` was on the tray icon, not on the desktop:
    // it goes, as does a press of it still waiting for its release.
    void dropLastClick(MouseButton button);
    // The rows, the last one waiting until `end`.
    std::vector<Action> rows(MonotonicTime end) const;

private:
    struct Recorded {
        std::string_view kind;
        ScreenPoint at;
        MonotonicTime time;
    };
    struct Press {
        ScreenPoint at;
        MonotonicTime time;
        bool overOwnWindow;
    };
    void addRelease(MouseButton button, const Press& press, ScreenPoint at, MonotonicTime time);
    bool pairsWithLast(std::string_view single, const Press& press) const;

    ClickLimits limits_;
    std::vector<Recorded> recorded_;
    std::array<std::optional<Press>, 3> pressed_; // by MouseButton
};

} // namespace cursovia
