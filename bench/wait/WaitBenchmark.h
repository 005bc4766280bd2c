#pragma once
#include "automation/EventLoop.h"

#include <functional>

namespace cursovia::bench {

// The platform's clocks of processor use, in seconds.
struct ProcessorClocks {
    // Processor time the whole process has used so far, every thread counted.
    std::function<double()> processCpu;
    // Time the calling thread has spent ready to run but waiting for a core;
    // empty where the platform does not tell.
    std::function<double()> threadRunqueueWait;
};

// The wait benchmarks, run on whatever real event loop the caller built:
//
//   precision ROUNDS       how late WaitSeconds returns for 0.001, 0.01, 0.1 and 1 s;
//                          where the platform tells, also less the time the
//                          thread was kept from a core by other work
//   cpu ROUNDS SECONDS     processor share of one long WaitSeconds, and of a
//                          busy-polling wait of the same length as the baseline
//
// Prints one "KEY VALUE" line per figure and round (milliseconds for wait
// errors, percent of one core for processor shares) and "info TEXT" lines
// that say how the figures were taken. Returns the exit status.
int runWaitBenchmark(EventLoop& loop, const ProcessorClocks& clocks, int argc, char** argv);

} // namespace cursovia::bench
