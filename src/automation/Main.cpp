#include "automation/Main.h"

#include <chrono>

namespace cursovia {

void WaitSeconds(EventLoop& loop, const bool& stopFlag, double seconds) {
    if (!(seconds > 0)) {
        loop.processPendingEvents();
        return;
    }
    // Longer than any run lasts; keeps the deadline inside the clock's range.
    constexpr double longestWait = 100.0 * 365 * 24 * 3600;
    const auto length = std::chrono::duration_cast<MonotonicTime>(
        std::chrono::duration<double>(seconds < longestWait ? seconds : longestWait));
    const MonotonicTime deadline = loop.now() + length;
    while (loop.now() < deadline) {
        loop.waitUntil(deadline);
        if (stopFlag) return;
    }
}

} // namespace cursovia
