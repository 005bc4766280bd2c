#include "automation/Main.h"
#include "fakes/Fakes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cursovia {
namespace {
using namespace std::chrono_literals;

TEST(WaitSeconds, EndsAfterExactlyTheRequestedTime) {
    for (double seconds : {0.001, 0.25, 2.0, 86400.0, 200000.5}) {
        fakes::FakeEventLoop loop;
        bool stop = false;
        const MonotonicTime start = loop.now();
        WaitSeconds(loop, stop, seconds);
        EXPECT_EQ(loop.now() - start, std::chrono::duration_cast<MonotonicTime>(std::chrono::duration<double>(seconds)))
            << seconds;
    }
}

TEST(WaitSeconds, SleepsInsteadOfPolling) {
    fakes::FakeEventLoop loop;
    bool stop = false;
    WaitSeconds(loop, stop, 30);
    EXPECT_EQ(loop.yields, 1); // one blocking wait to the deadline
}

TEST(WaitSeconds, RunsEventsAndReturnsAtTheStop) {
    fakes::FakeEventLoop loop;
    bool stop = false;
    std::vector<std::string> ran;
    loop.after(1s, [&] { ran.push_back("click"); });
    loop.after(2s, [&] { stop = true; });
    loop.after(3s, [&] { ran.push_back("too late"); });
    const MonotonicTime start = loop.now();
    WaitSeconds(loop, stop, 10);
    EXPECT_EQ(loop.now() - start, 2s);
    EXPECT_EQ(ran, (std::vector<std::string>{"click"}));
}

TEST(WaitSeconds, ZeroNegativeAndNotANumberStillYieldOnce) {
    for (double seconds : {0.0, -5.0, std::nan("")}) {
        fakes::FakeEventLoop loop;
        bool stop = false;
        const MonotonicTime start = loop.now();
        WaitSeconds(loop, stop, seconds);
        EXPECT_EQ(loop.yields, 1) << seconds;
        EXPECT_EQ(loop.now(), start);
    }
}

TEST(WaitSeconds, AnEnormousWaitStillEndsOnStop) {
    fakes::FakeEventLoop loop;
    bool stop = false;
    loop.after(5s, [&] { stop = true; });
    WaitSeconds(loop, stop, 1e300);
    EXPECT_TRUE(stop);
}

} // namespace
} // namespace cursovia
