#include "PerformanceClock.h"

#include <windows.h>

namespace cursovia::win32 {
namespace {

// Fixed at boot, so read once.
long long countsPerSecond() {
    static const long long perSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    return perSecond;
}

} // namespace

MonotonicTime performanceCounterTime(long long ticks) {
    const long long perSecond = countsPerSecond();
    // Split so the multiplication cannot overflow however long the machine runs.
    return MonotonicTime((ticks / perSecond) * 1'000'000'000LL + (ticks % perSecond) * 1'000'000'000LL / perSecond);
}

MonotonicTime performanceCounterNow() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return performanceCounterTime(counter.QuadPart);
}

} // namespace cursovia::win32
