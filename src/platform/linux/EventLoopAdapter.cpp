#include "EventLoopAdapter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

namespace cursovia::qtx11 {
namespace {

timespec toTimespec(MonotonicTime t) {
    const auto ns = t.count();
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

} // namespace

QtEventLoop::QtEventLoop() : timer_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (!timer_) throw std::runtime_error(std::string("Cannot create the wait timer: ") + std::strerror(errno));
    notifier_ = std::make_unique<QSocketNotifier>(timer_.get(), QSocketNotifier::Read);
    // Reading the expiry count makes the descriptor quiet again; the wake-up
    // itself is what ends the wait.
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { disarm(); });
}

QtEventLoop::~QtEventLoop() = default;

MonotonicTime QtEventLoop::now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

void QtEventLoop::post(std::function<void()> task) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::processPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventLoop::arm(MonotonicTime deadline) {
    itimerspec at{};
    at.it_value = toTimespec(deadline);
    timerfd_settime(timer_.get(), TFD_TIMER_ABSTIME, &at, nullptr);
}

void QtEventLoop::disarm() {
    const itimerspec off{};
    timerfd_settime(timer_.get(), 0, &off, nullptr);
    std::uint64_t expirations = 0;
    while (::read(timer_.get(), &expirations, sizeof expirations) > 0) {
    }
}

void QtEventLoop::waitUntil(MonotonicTime deadline) {
    if (now() >= deadline) {
        processPendingEvents();
        return;
    }
    // A wait nested inside an event of this one re-arms the timer for its own
    // deadline; the outer caller loops and arms it again for its own.
    arm(deadline);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    disarm();
}

void QtEventLoop::endProcess() {
    std::fflush(nullptr);
    ::_exit(0);
}

} // namespace cursovia::qtx11
