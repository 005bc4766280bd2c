#pragma once
#include "FileDescriptor.h"

#include <array>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace cursovia::qtx11 {

// SIGTERM, SIGHUP and SIGINT (the session ending, the terminal going away,
// Ctrl+C) turned into a call on the user-interface thread, so that they close
// the window like any other reason to close it. The handlers only write to a
// socket that the Qt event loop watches. One instance at a time; the former
// handlers come back when it goes.
class TerminationSignals {
public:
    static constexpr std::array Signals{SIGTERM, SIGHUP, SIGINT};

    // Throws std::runtime_error when the socket cannot be made or another instance is live.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void()> onSignal_;
    FileDescriptor writeEnd_, readEnd_;
    std::unique_ptr<QSocketNotifier> notifier_; // after the descriptor it watches: goes first
    std::array<struct sigaction, Signals.size()> formerActions_{};
};

} // namespace cursovia::qtx11
