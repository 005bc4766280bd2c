#pragma once
#include <chrono>
#include <functional>

namespace cursovia {

// Time on a monotonic clock: never jumps with the date, the time of day or
// daylight saving. The origin is arbitrary.
using MonotonicTime = std::chrono::nanoseconds;

// The user-interface thread's event queue and its clock. Window events,
// key events and tray notifications run inside these calls, so everything
// may re-enter the caller.
class EventLoop {
public:
    virtual ~EventLoop() = default;

    virtual MonotonicTime now() = 0;

    // Yield: runs every event already pending, once, then returns without blocking.
    virtual void processPendingEvents() = 0;

    // Sleeps without using the processor until an event arrives or `deadline`
    // is reached, runs the events that arrived, and returns. It may return
    // before the deadline; callers loop. A deadline already passed does not
    // sleep but still runs the events pending, once, as processPendingEvents does.
    virtual void waitUntil(MonotonicTime deadline) = 0;

    // Runs `task` on this thread once the event being handled is over: at the
    // next yield or wait, or in the idle loop.
    virtual void post(std::function<void()> task) = 0;

    // Ends the process at once; the real program does not return from it.
    virtual void endProcess() = 0;
};

} // namespace cursovia
