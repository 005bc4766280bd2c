#include "automation/RunRandomness.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace cursovia {

RunRandomness::RunRandomness(std::uint32_t seed, std::int32_t radius, std::int32_t waitPercent,
                             std::vector<ScreenArea> screens)
    : random_(seed), radius_(radius), waitPercent_(waitPercent), screens_(std::move(screens)) {}

ScreenPoint RunRandomness::position(ScreenPoint row) {
    if (radius_ <= 0) return row;
    // Every whole pixel of the disc equally likely: draw from its square and
    // throw away the corners (about one draw in five).
    std::uniform_int_distribution<std::int32_t> offset(-radius_, radius_);
    const std::int64_t reach = std::int64_t{radius_} * radius_;
    std::int64_t dx = 0, dy = 0;
    do {
        dx = offset(random_);
        dy = offset(random_);
    } while (dx * dx + dy * dy > reach);
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    const ScreenPoint landed{static_cast<std::int32_t>(std::clamp(row.x + dx, lowest, highest)),
                             static_cast<std::int32_t>(std::clamp(row.y + dy, lowest, highest))};
    return ontoScreens(landed, screens_);
}

double RunRandomness::wait(double seconds) {
    if (waitPercent_ <= 0 || !(seconds > 0)) return seconds;
    const double share = waitPercent_ / 100.0;
    return seconds * std::uniform_real_distribution<double>(1.0 - share, 1.0 + share)(random_);
}

ScreenPoint ontoScreens(ScreenPoint at, const std::vector<ScreenArea>& screens) {
    ScreenPoint nearest = at;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (const ScreenArea& s : screens) {
        if (s.right <= s.left || s.bottom <= s.top) continue;
        const ScreenPoint onIt{std::clamp(at.x, s.left, s.right - 1), std::clamp(at.y, s.top, s.bottom - 1)};
        const std::int64_t dx = std::int64_t{onIt.x} - at.x, dy = std::int64_t{onIt.y} - at.y;
        const std::int64_t distance = dx * dx + dy * dy;
        if (distance == 0) return at;
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = onIt;
        }
    }
    return nearest;
}

} // namespace cursovia
