#pragma once
#include "base/EventLoop.h"

#include <functional>

namespace cursovia::bench {

// What the benchmarks need from the platform besides its event loop.
struct Platform {
    // Processor time the whole process has used so far, every thread counted, in seconds.
    std::function<double()> processCpu;
    // Time the calling thread has spent ready to run but waiting for a core,
    // in seconds; empty where the platform does not tell.
    std::function<double()> threadRunqueueWait;
    // The system's own timed sleep of the thread, without any event loop:
    // what a wait is compared with.
    std::function<void(double seconds)> plainSleep;
    const char* plainSleepName;
};

// The wait benchmarks, run on whatever real event loop the caller built:
//
//   precision ROUNDS       how late WaitSeconds returns for 0.001, 0.01, 0.1 and 1 s,
//                          and the platform's plain sleep of as long; where the
//                          platform tells, also less the time the thread was
//                          kept from a core by other work
//   cpu ROUNDS SECONDS     processor share of one long WaitSeconds, and of a
//                          busy-polling wait of the same length as the baseline
//   jitter ROUNDS          nanoseconds a step spends drawing its position and
//                          wait jitter, to read beside a step's move and click
//
// Prints one "KEY VALUE" line per figure and round (milliseconds for wait
// errors, percent of one core for processor shares) and "info TEXT" lines
// that say how the figures were taken. Returns the exit status.
int runWaitBenchmark(EventLoop& loop, const Platform& platform, int argc, char** argv);

} // namespace cursovia::bench
