#pragma once
#include <functional>
#include <memory>

class QSocketNotifier;

namespace cursovia::x11 {

// SIGTERM, SIGHUP and SIGINT (the session ending, the terminal going away,
// Ctrl+C) turned into a call on the user-interface thread, so that they close
// the window like any other reason to close it. The handlers only write to a
// socket that the Qt event loop watches. One instance at a time; the former
// handlers come back when it goes.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void()> onSignal_;
    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace cursovia::x11
