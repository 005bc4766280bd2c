#include "WaitBenchmark.h"

#include "automation/Main.h"
#include "automation/RunRandomness.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace cursovia::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct WaitCase {
    const char* key;
    double seconds;
    int waitsPerRound; // enough for a percentile, few enough to keep a round within seconds
};

constexpr WaitCase WaitCases[] = {
    {"0.001", 0.001, 300},
    {"0.01", 0.01, 100},
    {"0.1", 0.1, 20},
    {"1", 1.0, 4},
};

// Nearest rank: the smallest sample with at least `fraction` of them at or below it.
double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
    return samples[std::max<std::size_t>(rank, 1) - 1];
}

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The baseline: look at the clock, run the events, and again, until the
// deadline. As responsive as a wait can be, at the price of a whole core.
void busyPollingWait(EventLoop& loop, const bool& stopFlag, double seconds) {
    const MonotonicTime deadline =
        loop.now() + std::chrono::duration_cast<MonotonicTime>(std::chrono::duration<double>(seconds));
    while (loop.now() < deadline && !stopFlag) loop.processPendingEvents();
}

using Wait = void (*)(EventLoop&, const bool&, double);
// A run's wait as a run without a time limit makes it.
void runWait(EventLoop& loop, const bool& stopFlag, double seconds) { WaitSeconds(loop, stopFlag, seconds); }

// The share of one core the process used during one wait, in percent.
double processorShare(EventLoop& loop, const std::function<double()>& processCpu, Wait wait, double seconds) {
    const bool neverStopped = false;
    const double cpuBefore = processCpu();
    const Clock::time_point start = Clock::now();
    wait(loop, neverStopped, seconds);
    const Clock::time_point end = Clock::now();
    const double cpuAfter = processCpu();
    return 100.0 * (cpuAfter - cpuBefore) / secondsBetween(start, end);
}

// How late a wait returned, in milliseconds, and how much of that the thread
// spent waiting for a core.
struct Lateness {
    double errorMs;
    double queuedMs;
};

template <typename Sleep>
Lateness lateness(const Platform& platform, double seconds, Sleep sleep) {
    const auto& runqueue = platform.threadRunqueueWait;
    const double queuedBefore = runqueue ? runqueue() : 0;
    const Clock::time_point start = Clock::now();
    sleep();
    const Clock::time_point end = Clock::now();
    const double queued = runqueue ? runqueue() - queuedBefore : 0;
    return {1000.0 * (secondsBetween(start, end) - seconds), 1000.0 * queued};
}

void measurePrecision(EventLoop& loop, const Platform& platform, int rounds) {
    std::string plan;
    for (const WaitCase& c : WaitCases)
        plan += (plan.empty() ? "" : ", ") + std::to_string(c.waitsPerRound) + " of " + c.key + " s";
    std::printf("info wait precision: per round %s, each followed by a plain sleep of as long (%s), "
                "timed with std::chrono::steady_clock\n",
                plan.c_str(), platform.plainSleepName);
    const bool neverStopped = false;
    for (int round = 0; round < rounds; ++round) {
        for (const WaitCase& c : WaitCases) {
            std::vector<double> waitMs, waitOnCoreMs, sleepMs;
            for (int i = 0; i < c.waitsPerRound; ++i) {
                const Lateness ours =
                    lateness(platform, c.seconds, [&] { WaitSeconds(loop, neverStopped, c.seconds); });
                waitMs.push_back(ours.errorMs);
                waitOnCoreMs.push_back(ours.errorMs - ours.queuedMs);
                sleepMs.push_back(lateness(platform, c.seconds, [&] { platform.plainSleep(c.seconds); }).errorMs);
            }
            std::printf("wait.%s.p50 %.4f\n", c.key, percentile(waitMs, 0.50));
            std::printf("wait.%s.p99 %.4f\n", c.key, percentile(waitMs, 0.99));
            if (platform.threadRunqueueWait)
                std::printf("wait.%s.p99_on_core %.4f\n", c.key, percentile(waitOnCoreMs, 0.99));
            std::printf("sleep.%s.p50 %.4f\n", c.key, percentile(sleepMs, 0.50));
            std::printf("sleep.%s.p99 %.4f\n", c.key, percentile(sleepMs, 0.99));
            std::fflush(stdout);
        }
    }
}

// The smallest step the process clock takes, found by spinning until it
// moves twice: a share below one step per wait reads as 0.
double processClockStep(const std::function<double()>& processCpu) {
    const double start = processCpu();
    double first = start;
    while (first == start) first = processCpu();
    double second = first;
    while (second == first) second = processCpu();
    return second - first;
}

void measureProcessorShare(EventLoop& loop, const std::function<double()>& processCpu, int rounds,
                           double seconds) {
    std::printf("info processor share: one wait of %g s per round, then the busy-polling baseline for as long; "
                "the process clock moves in steps of %.3g ms\n",
                seconds, 1000.0 * processClockStep(processCpu));
    for (int round = 0; round < rounds; ++round) {
        std::printf("cpu.ours %.4f\n", processorShare(loop, processCpu, runWait, seconds));
        std::fflush(stdout);
        std::printf("cpu.busy %.4f\n", processorShare(loop, processCpu, busyPollingWait, seconds));
        std::fflush(stdout);
    }
}

// What position and wait jitter add to one step of a run: the draws alone,
// to be read beside the step's move and click (the throughput figures).
void measureJitterCost(int rounds) {
    constexpr int steps = 200000;
    std::printf("info jitter: %d steps per round of a 10 px position draw and a 20 %% wait draw\n", steps);
    for (int round = 0; round < rounds; ++round) {
        RunRandomness random(static_cast<std::uint32_t>(round + 1), 10, 20, {{0, 0, 1920, 1080}});
        volatile std::int64_t sink = 0; // keeps the draws from being optimised away
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < steps; ++n) {
            const ScreenPoint at = random.position({500 + n % 7, 400});
            sink = sink + at.x + at.y + static_cast<std::int64_t>(random.wait(0.25) * 1000);
        }
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        std::printf("jitter.step_ns %.1f\n", took.count() / steps);
        std::fflush(stdout);
    }
}

int positive(const char* text) {
    const int value = std::atoi(text);
    return value > 0 ? value : 0;
}

int usage() {
    std::fputs("usage: wait_bench precision ROUNDS | cpu ROUNDS SECONDS | jitter ROUNDS\n", stderr);
    return 2;
}

} // namespace

int runWaitBenchmark(EventLoop& loop, const Platform& platform, int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "precision" && argc == 3 && positive(argv[2])) {
        measurePrecision(loop, platform, positive(argv[2]));
        return 0;
    }
    if (mode == "jitter" && argc == 3 && positive(argv[2])) {
        measureJitterCost(positive(argv[2]));
        return 0;
    }
    if (mode == "cpu" && argc == 4 && positive(argv[2]) && positive(argv[3])) {
        measureProcessorShare(loop, platform.processCpu, positive(argv[2]), positive(argv[3]));
        return 0;
    }
    return usage();
}

} // namespace cursovia::bench
