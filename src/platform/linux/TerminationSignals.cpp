#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include <sys/socket.h>
#include <unistd.h>

namespace cursovia::x11 {
namespace {

constexpr std::array Signals{SIGTERM, SIGHUP, SIGINT};
volatile std::sig_atomic_t writeEnd = -1;
std::array<struct sigaction, Signals.size()> formerActions{};

void writeSignalByte(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0)
        throw std::runtime_error(std::string("Cannot watch for termination signals: ") + std::strerror(errno));
    writeEnd = sockets_[0];
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(sockets_[1], bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    struct sigaction action{};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Signals.size(); ++i) sigaction(Signals[i], &action, &formerActions[i]);
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < Signals.size(); ++i) sigaction(Signals[i], &formerActions[i], nullptr);
    writeEnd = -1;
    notifier_.reset();
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

} // namespace cursovia::x11
