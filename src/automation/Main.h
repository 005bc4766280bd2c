#pragma once
#include "base/EventLoop.h"

#include <functional>

namespace cursovia {

// The end of a run that lasts a span of time: no wait goes past `at`, and
// `eachSecond` runs whenever the time left to it has crossed a whole second.
struct RunDeadline {
    MonotonicTime at;
    std::function<void()> eachSecond;
};

// Waits `seconds` on the monotonic clock, sleeping while nothing happens and
// running window events as they arrive; returns as soon as an event has
// raised `stopFlag`, or at `deadline` if that comes first. A wait of 0 or
// less (or not a number) still runs the pending events once, so a run of
// zero waits stays stoppable.
void WaitSeconds(EventLoop& loop, const bool& stopFlag, double seconds, const RunDeadline* deadline = nullptr);

} // namespace cursovia
