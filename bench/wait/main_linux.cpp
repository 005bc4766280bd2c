// The wait benchmarks on the Linux program's event loop: QtEventLoop inside a
// QApplication on the X display, as the program runs it.
#include "EventLoopAdapter.h"
#include "WaitBenchmark.h"

#include <QApplication>

#include <cerrno>
#include <fstream>

#include <time.h>

namespace {

double processCpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

// The scheduler's run delay of this thread: the second figure of its schedstat.
double threadRunqueueWaitSeconds() {
    std::ifstream schedstat("/proc/thread-self/schedstat");
    unsigned long long onCpuNs = 0, waitingNs = 0;
    schedstat >> onCpuNs >> waitingNs;
    return static_cast<double>(waitingNs) * 1e-9;
}

void sleepOnTheMonotonicClock(double seconds) {
    timespec until{};
    clock_gettime(CLOCK_MONOTONIC, &until);
    const auto ns = static_cast<long long>(seconds * 1e9) + until.tv_nsec;
    until.tv_sec += static_cast<time_t>(ns / 1'000'000'000);
    until.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    cursovia::qtx11::QtEventLoop loop;
    const cursovia::bench::Platform platform{processCpuSeconds, threadRunqueueWaitSeconds, sleepOnTheMonotonicClock,
                                             "clock_nanosleep on CLOCK_MONOTONIC"};
    return cursovia::bench::runWaitBenchmark(loop, platform, argc, argv);
}
