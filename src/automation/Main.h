#pragma once
#include "base/EventLoop.h"

namespace cursovia {

// Waits `seconds` on the monotonic clock, sleeping while nothing happens and
// running window events as they arrive; returns as soon as an event has
// raised `stopFlag`. A wait of 0 or less (or not a number) still runs the
// pending events once, so a run of zero waits stays stoppable.
void WaitSeconds(EventLoop& loop, const bool& stopFlag, double seconds);

} // namespace cursovia
