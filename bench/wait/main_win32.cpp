// The wait benchmarks on the Windows program's event loop, MessageLoop, as
// the program builds it (there is no dialog window to route keys to here).
#include "Handles.h"
#include "EventLoopAdapter.h"
#include "OwnerWindow.h"
#include "WaitBenchmark.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

using cursovia::win32::UniqueHandle;

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto hundredNs = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (hundredNs(kernel) + hundredNs(user)) * 1e-7;
}

// The plain sleep: a high-resolution waitable timer waited on alone, no
// messages, the same kind of timer MessageLoop waits on.
UniqueHandle plainTimer() {
    UniqueHandle timer(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    if (!timer) throw std::runtime_error("no high-resolution waitable timer");
    return timer;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const cursovia::win32::OwnerWindow noDialogWindow;
        cursovia::win32::MessageLoop loop(noDialogWindow);
        std::printf("info waitable timer: %s\n",
                    loop.highResolution() ? "high-resolution" : "ordinary, with the system timer at 1 ms");
        const UniqueHandle timer = plainTimer();
        const auto sleep = [&timer](double seconds) {
            LARGE_INTEGER due;
            due.QuadPart = -static_cast<LONGLONG>(seconds * 1e7); // relative, in 100 ns units
            SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE);
            WaitForSingleObject(timer.get(), INFINITE);
        };
        const cursovia::bench::Platform platform{processCpuSeconds, {}, sleep,
                                                 "WaitForSingleObject on a high-resolution waitable timer"};
        return cursovia::bench::runWaitBenchmark(loop, platform, argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wait_bench: %s\n", e.what());
        return 1;
    }
}
