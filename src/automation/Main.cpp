#include "automation/Main.h"

#include <algorithm>
#include <chrono>

namespace cursovia {
namespace {

// When the time left to `deadline` next falls to a whole number of seconds.
MonotonicTime nextWholeSecondLeft(MonotonicTime now, MonotonicTime deadline) {
    constexpr MonotonicTime second = std::chrono::seconds(1);
    const MonotonicTime left = deadline - now;
    return deadline - (left - MonotonicTime(1)) / second * second;
}

} // namespace

void WaitSeconds(EventLoop& loop, const bool& stopFlag, double seconds, const RunDeadline* deadline) {
    if (!(seconds > 0)) {
        loop.processPendingEvents();
        return;
    }
    // Longer than any run lasts; keeps the end inside the clock's range.
    constexpr double longestWait = 100.0 * 365 * 24 * 3600;
    const auto length = std::chrono::duration_cast<MonotonicTime>(
        std::chrono::duration<double>(seconds < longestWait ? seconds : longestWait));
    MonotonicTime end = loop.now() + length;
    if (deadline) end = std::min(end, deadline->at);
    while (loop.now() < end) {
        const MonotonicTime tick = deadline && deadline->eachSecond ? nextWholeSecondLeft(loop.now(), deadline->at) : end;
        loop.waitUntil(std::min(end, tick));
        if (stopFlag) return;
        if (tick < end && loop.now() >= tick) deadline->eachSecond();
    }
}

} // namespace cursovia
