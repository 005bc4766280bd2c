#pragma once
#include "Handles.h"
#include "OwnerWindow.h"
#include "base/EventLoop.h"

#include <deque>
#include <functional>

namespace cursovia::win32 {

// The user-interface thread's message queue. Waits sleep in
// MsgWaitForMultipleObjectsEx on a waitable timer, so the thread wakes at the
// deadline or at once for input, sent messages (the keyboard hook's calls
// arrive that way) and posted ones (tray notifications).
class MessageLoop : public EventLoop {
public:
    explicit MessageLoop(const OwnerWindow& dialogWindow);

    MonotonicTime now() override;
    void processPendingEvents() override;
    void waitUntil(MonotonicTime deadline) override;
    // Queued here; a thread message wakes the loop, which runs the queue after
    // the messages it took (a modal loop may drop the wake, never the task).
    void post(std::function<void()> task) override;
    [[noreturn]] void endProcess() override;

    // The idle loop; returns the exit code of WM_QUIT.
    int run();

    // Whether the timer is the high-resolution kind (Windows 10 1803 and later).
    bool highResolution() const { return highResolution_; }

private:
    void dispatch(MSG& message);
    void runPosted();

    const OwnerWindow& dialogWindow_;
    UniqueHandle timer_;
    bool highResolution_ = false;
    std::deque<std::function<void()>> posted_;
};

} // namespace cursovia::win32
