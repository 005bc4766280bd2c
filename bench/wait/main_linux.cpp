// The wait benchmarks on the Linux program's event loop: QtEventLoop inside a
// QApplication on the X display, as the program runs it.
#include "QtEventLoop.h"
#include "WaitBenchmark.h"

#include <QApplication>

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    cursovia::QtEventLoop loop;
    return cursovia::bench::runWaitBenchmark(loop, {processCpuSeconds, threadRunqueueWaitSeconds}, argc, argv);
}
