#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include <sys/socket.h>
#include <unistd.h>

namespace cursovia::qtx11 {
namespace {

// The only state a signal handler may reach: where the live instance listens.
volatile std::sig_atomic_t signalWriteEnd = -1;

void writeSignalByte(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(signalWriteEnd, &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (signalWriteEnd != -1) throw std::logic_error("Termination signals are already watched");
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0)
        throw std::runtime_error(std::string("Cannot watch for termination signals: ") + std::strerror(errno));
    writeEnd_.reset(sockets[0]);
    readEnd_.reset(sockets[1]);
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(readEnd_.get(), bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    signalWriteEnd = writeEnd_.get();
    struct sigaction action{};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Signals.size(); ++i) sigaction(Signals[i], &action, &formerActions_[i]);
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < Signals.size(); ++i) sigaction(Signals[i], &formerActions_[i], nullptr);
    signalWriteEnd = -1;
}

} // namespace cursovia::qtx11
