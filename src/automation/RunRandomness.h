#pragma once
#include "automation/Pointer.h"

#include <cstdint>
#include <random>
#include <vector>

namespace cursovia {

// The one random source of a run and the two jitters drawn from it. With a
// radius and a share of 0 it draws nothing and changes nothing.
class RunRandomness {
public:
    // `radius` in pixels, `waitPercent` in percent; `screens` bound the
    // positions (none: unbounded).
    RunRandomness(std::uint32_t seed, std::int32_t radius, std::int32_t waitPercent, std::vector<ScreenArea> screens);

    // A uniformly random whole pixel within `radius` of `row`, moved onto the
    // nearest screen when it fell off every screen.
    ScreenPoint position(ScreenPoint row);
    // A uniformly random time within +- waitPercent of `seconds`.
    double wait(double seconds);

private:
    std::mt19937 random_;
    std::int32_t radius_;
    std::int32_t waitPercent_;
    std::vector<ScreenArea> screens_;
};

// `at` if it lies on one of `screens`, else the nearest point of the nearest
// screen; `at` unchanged when there are no screens.
ScreenPoint ontoScreens(ScreenPoint at, const std::vector<ScreenArea>& screens);

} // namespace cursovia
