// What the wait does, not how precisely: that is measured by the benchmark.
#include "EventLoopAdapter.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

namespace cursovia::qtx11 {
namespace {

using namespace std::chrono_literals;

TEST(EventLoop, TheTimerEndsAWaitWithNothingElseHappening) {
    QtEventLoop loop;
    const MonotonicTime deadline = loop.now() + 20ms;
    int waits = 0;
    while (loop.now() < deadline) {
        loop.waitUntil(deadline);
        ++waits;
    }
    EXPECT_GE(loop.now(), deadline);
    EXPECT_LE(waits, 3); // woken by the deadline, not spinning
}

TEST(EventLoop, AnEventEndsAWaitLongBeforeItsDeadline) {
    QtEventLoop loop;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    const MonotonicTime start = loop.now();
    loop.waitUntil(start + 60s);
    EXPECT_TRUE(ran);
    EXPECT_LT(loop.now() - start, 30s);
}

TEST(EventLoop, AWaitNestedInAnEventLeavesTheOuterWaitWorking) {
    QtEventLoop loop;
    const MonotonicTime outer = loop.now() + 30ms;
    QTimer::singleShot(0, [&] {
        const MonotonicTime inner = loop.now() + 5ms;
        while (loop.now() < inner) loop.waitUntil(inner);
    });
    while (loop.now() < outer) loop.waitUntil(outer);
    EXPECT_GE(loop.now(), outer);
}

// A run whose waits are all shorter than a call takes must still see Ctrl+S.
TEST(EventLoop, APassedDeadlineStillRunsThePendingEvents) {
    QtEventLoop loop;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    loop.waitUntil(loop.now() - 1ms);
    EXPECT_TRUE(ran);
}

} // namespace
} // namespace cursovia::qtx11
