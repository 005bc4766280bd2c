#pragma once
#include "base/EventLoop.h"

namespace cursovia::win32 {

// The clock of the event loop and of every event time stamp: the performance
// counter, in the loop's units. `ticks` is a QueryPerformanceCounter reading.
MonotonicTime performanceCounterTime(long long ticks);
MonotonicTime performanceCounterNow();

} // namespace cursovia::win32
