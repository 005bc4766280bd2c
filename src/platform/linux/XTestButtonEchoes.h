#pragma once
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <vector>

struct _XDisplay;

namespace cursovia::qtx11 {

// The server's echo of the button events a connection sends through XTest:
// the XInput2 raw press or release of the XTest device, which the server
// reports at the moment it carries the event out. While a window manager
// holds a press (click to focus) the events behind it wait in the server,
// and their echoes come only once it lets go; so once every button event
// sent has been echoed, everything sent before it has been carried out,
// with no round trip of our own.
//
// The echoes are selected on the sending connection from the first event
// sent and dropped after a second without one, so an idle program gathers
// no events of the desktop. Other devices' buttons (the user's mouse) are
// not counted.
class XTestButtonEchoes {
public:
    // `display` must outlive this and must not have asked for XInput's version yet.
    explicit XTestButtonEchoes(_XDisplay* display);

    // False without XInput 2.1 or without an XTest device; then nothing is
    // echoed. The server is asked at the first call, not at start-up: most
    // starts of the program never run a list.
    bool available();
    // Call before sending each button event.
    void expectOne();
    // True once every event expected has been echoed; false at `giveUp`.
    bool waitForAll(std::chrono::steady_clock::time_point giveUp);
    // For a server seen not to echo: nothing is expected from now on.
    void stopExpecting();

private:
    void select(bool on);
    void readEchoes();

    _XDisplay* display_;
    bool asked_ = false;
    int opcode_ = -1;
    std::vector<int> xtestDevices_;
    bool selected_ = false;
    std::uint64_t expected_ = 0, echoed_ = 0;
    QTimer idle_;
};

} // namespace cursovia::qtx11
