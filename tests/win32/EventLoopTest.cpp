#include "EventLoopAdapter.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
using cursovia::MonotonicTime;
using cursovia::win32::MessageLoop;
using cursovia::win32::OwnerWindow;
using cursovia::win32::Window;

constexpr UINT Ping = WM_APP + 7;

// Counts the pings its window procedure receives.
class PingCounter : public Window {
public:
    PingCounter() { create({.className = L"CursoviaTestPingCounter", .style = WS_POPUP}); }
    int pings = 0;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == Ping) {
            ++pings;
            return 0;
        }
        return Window::handleMessage(message, wParam, lParam);
    }
};

class MessageLoopTest : public ::testing::Test {
protected:
    OwnerWindow owner;
    MessageLoop loop{owner};
    PingCounter window;
};

TEST_F(MessageLoopTest, ClockIsMonotonic) {
    MonotonicTime last = loop.now();
    for (int i = 0; i < 1000; ++i) {
        const MonotonicTime next = loop.now();
        ASSERT_GE(next, last);
        last = next;
    }
}

TEST_F(MessageLoopTest, ProcessPendingEventsRunsWhatIsQueuedAndReturns) {
    PostMessageW(window.hwnd(), Ping, 0, 0);
    PostMessageW(window.hwnd(), Ping, 0, 0);
    loop.processPendingEvents();
    EXPECT_EQ(window.pings, 2);
    loop.processPendingEvents(); // nothing queued: must not block
    EXPECT_EQ(window.pings, 2);
}

TEST_F(MessageLoopTest, AWaitWhoseDeadlineHasPassedStillRunsTheQueue) {
    PostMessageW(window.hwnd(), Ping, 0, 0);
    loop.waitUntil(loop.now() - 1s);
    EXPECT_EQ(window.pings, 1);
}

TEST_F(MessageLoopTest, AWaitEndsAtTheDeadlineWhenNothingHappens) {
    const MonotonicTime deadline = loop.now() + 50ms;
    while (loop.now() < deadline) loop.waitUntil(deadline);
    EXPECT_GE(loop.now(), deadline);
}

TEST_F(MessageLoopTest, AMessageFromAnotherThreadEndsTheWaitAndRunsInIt) {
    // The deadline is far away: only the message can end this wait in time.
    const MonotonicTime deadline = loop.now() + 60s;
    std::thread poster([hwnd = window.hwnd()] {
        std::this_thread::sleep_for(100ms);
        PostMessageW(hwnd, Ping, 0, 0);
    });
    while (window.pings == 0 && loop.now() < deadline) loop.waitUntil(deadline);
    poster.join();
    EXPECT_EQ(window.pings, 1);
    EXPECT_LT(loop.now(), deadline);
}

} // namespace
