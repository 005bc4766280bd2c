#include "EventLoopAdapter.h"

#include "PerformanceClock.h"
#include "SystemError.h"

#include <windows.h>
#include <timeapi.h>

#include <algorithm>
#include <stdexcept>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace cursovia::win32 {
namespace {

// Raises the system timer's resolution to 1 ms for as long as it lives; only
// needed with the ordinary waitable timer, which otherwise fires on the
// 15.6 ms tick.
class TimerResolution {
public:
    explicit TimerResolution(bool needed) : raised_(needed && timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~TimerResolution() {
        if (raised_) timeEndPeriod(1);
    }
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

private:
    bool raised_;
};

} // namespace

MessageLoop::MessageLoop(const OwnerWindow& dialogWindow) : dialogWindow_(dialogWindow) {
    timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    highResolution_ = static_cast<bool>(timer_);
    if (!timer_) timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    if (!timer_) throw std::runtime_error("No waitable timer: " + systemMessage(GetLastError()));
}

MonotonicTime MessageLoop::now() { return performanceCounterNow(); }

void MessageLoop::dispatch(MSG& message) {
    // Tab, arrow keys and mnemonics move between the main window's controls.
    if (dialogWindow_.hwnd && IsDialogMessageW(dialogWindow_.hwnd, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MessageLoop::post(std::function<void()> task) {
    posted_.push_back(std::move(task));
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void MessageLoop::runPosted() {
    while (!posted_.empty()) {
        std::function<void()> task = std::move(posted_.front());
        posted_.pop_front();
        task();
    }
}

void MessageLoop::processPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the idle loop, which ends on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
    runPosted();
}

void MessageLoop::waitUntil(MonotonicTime deadline) {
    const MonotonicTime left = deadline - now();
    if (left > MonotonicTime::zero()) {
        // Relative due time in 100 ns units, rounded up so the wait never ends early.
        LARGE_INTEGER due;
        due.QuadPart = -((left.count() + 99) / 100);
        const TimerResolution resolution(!highResolution_);
        const HANDLE timer = timer_.get();
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        } else {
            // Still sleep, to the millisecond, rather than spin in the caller's loop.
            const auto ms = static_cast<DWORD>(std::min<long long>((left.count() + 999'999) / 1'000'000, INFINITE - 1));
            MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    processPendingEvents();
}

void MessageLoop::endProcess() { ExitProcess(0); }

int MessageLoop::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatch(message);
        runPosted();
    }
    return static_cast<int>(message.wParam);
}

} // namespace cursovia::win32
