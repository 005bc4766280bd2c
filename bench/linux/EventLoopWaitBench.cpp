// How late the Linux event loop's wait wakes, and how much processor it uses
// meanwhile. The aim: well under a millisecond late, the processor idle.
//
//   cursovia_wait_bench [WAITS]
//
// Each wait lasts 1 to 20 ms (a fixed pseudo-random sequence); lateness is
// the time from the deadline to the moment the caller sees it passed.
#include "QtEventLoop.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <sys/resource.h>

namespace {

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> sorted, double p) {
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(p * static_cast<double>(sorted.size())))];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int waits = argc > 1 ? std::atoi(argv[1]) : 500;
    cursovia::QtEventLoop loop;
    std::minstd_rand draw(7);
    std::uniform_int_distribution<int> microseconds(1000, 20000);

    std::vector<double> lateness;
    double waited = 0;
    const double processorBefore = processorSeconds();
    for (int i = 0; i < waits; ++i) {
        const auto length = std::chrono::microseconds(microseconds(draw));
        const cursovia::MonotonicTime deadline = loop.now() + length;
        while (loop.now() < deadline) loop.waitUntil(deadline);
        lateness.push_back(std::chrono::duration<double, std::micro>(loop.now() - deadline).count());
        waited += std::chrono::duration<double>(length).count();
    }
    const double processor = processorSeconds() - processorBefore;

    std::sort(lateness.begin(), lateness.end());
    std::printf("%d waits, %.2f s in all\n", waits, waited);
    std::printf("late by (us): median %.0f, 90%% %.0f, 99%% %.0f, worst %.0f\n", percentile(lateness, 0.5),
                percentile(lateness, 0.9), percentile(lateness, 0.99), lateness.back());
    std::printf("processor: %.3f s, %.2f%% of the time waited\n", processor, 100 * processor / waited);
    return 0;
}
