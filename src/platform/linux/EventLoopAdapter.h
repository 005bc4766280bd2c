#pragma once
#include "FileDescriptor.h"
#include "base/EventLoop.h"

#include <memory>

class QSocketNotifier;

namespace cursovia::qtx11 {

// The user-interface thread's Qt event loop. A wait blocks in the loop until
// an event arrives or a monotonic timer file descriptor, watched like any
// other socket, reports the deadline: the kernel wakes it to the microsecond,
// where a Qt timer only knows whole milliseconds, and nothing polls.
class QtEventLoop : public EventLoop {
public:
    // Throws std::runtime_error when the timer cannot be created.
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    MonotonicTime now() override;
    void processPendingEvents() override;
    void waitUntil(MonotonicTime deadline) override;
    // Queued to the application object, so Qt runs it from its next event.
    void post(std::function<void()> task) override;
    // Exits with status 0 at once: the settings are on disk after every write,
    // so nothing is left to flush but the standard streams.
    [[noreturn]] void endProcess() override;

private:
    void arm(MonotonicTime deadline);
    void disarm();

    FileDescriptor timer_;
    std::unique_ptr<QSocketNotifier> notifier_; // after the descriptor it watches: goes first
};

} // namespace cursovia::qtx11
