// The wait benchmarks on the Windows program's event loop, MessageLoop, as
// the program builds it (there is no dialog window to route keys to here).
#include "MessageLoop.h"
#include "OwnerWindow.h"
#include "WaitBenchmark.h"

#include <windows.h>

#include <cstdio>

namespace {

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto hundredNs = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (hundredNs(kernel) + hundredNs(user)) * 1e-7;
}

} // namespace

int main(int argc, char** argv) {
    const cursovia::win32::OwnerWindow noDialogWindow;
    cursovia::win32::MessageLoop loop(noDialogWindow);
    std::printf("info waitable timer: %s\n", loop.highResolution() ? "high-resolution"
                                                                   : "ordinary, with the system timer at 1 ms");
    return cursovia::bench::runWaitBenchmark(loop, {processCpuSeconds, {}}, argc, argv);
}
