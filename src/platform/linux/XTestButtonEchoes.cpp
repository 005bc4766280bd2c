#include "XTestButtonEchoes.h"

#include <poll.h>

#include <algorithm>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include "XEventData.h"
#include "XRawEventSelection.h"

namespace cursovia::qtx11 {
namespace {

constexpr auto DropAfterIdle = std::chrono::seconds(1);

// The slave devices the server made for XTest (one per master), which it
// marks with a property of their own.
std::vector<int> xtestDevices(Display* display) {
    std::vector<int> ids;
    const Atom marker = XInternAtom(display, "XTEST Device", True);
    if (marker == None) return ids;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer) continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* value = nullptr;
        if (XIGetProperty(display, devices[i].deviceid, marker, 0, 1, False, XA_INTEGER, &type, &format, &items,
                          &after, &value) == Success &&
            value) {
            if (items == 1 && format == 8 && value[0]) ids.push_back(devices[i].deviceid);
            XFree(value);
        }
    }
    XIFreeDeviceInfo(devices);
    return ids;
}

} // namespace

XTestButtonEchoes::XTestButtonEchoes(Display* display) : display_(display) {
    idle_.setSingleShot(true);
    idle_.setInterval(DropAfterIdle);
    QObject::connect(&idle_, &QTimer::timeout, [this] { select(false); });
}

bool XTestButtonEchoes::available() {
    if (!asked_) {
        asked_ = true;
        opcode_ = rawEventsOpcode(display_);
        if (opcode_ >= 0) xtestDevices_ = xtestDevices(display_);
    }
    return opcode_ >= 0 && !xtestDevices_.empty();
}

void XTestButtonEchoes::select(bool on) {
    if (on)
        selectRawEvents(display_, {XI_RawButtonPress, XI_RawButtonRelease});
    else
        selectRawEvents(display_, {});
    selected_ = on;
    // Whatever came before is no echo of what is sent from now on.
    for (XEvent e; XPending(display_) > 0;) XNextEvent(display_, &e);
    expected_ = echoed_ = 0;
}

void XTestButtonEchoes::expectOne() {
    if (!available()) return;
    // The selection goes out before the event, so the server echoes it.
    if (!selected_) select(true);
    ++expected_;
}

void XTestButtonEchoes::stopExpecting() {
    if (selected_) select(false);
    idle_.stop();
    xtestDevices_.clear();
}

void XTestButtonEchoes::readEchoes() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != opcode_ ||
            (cookie.evtype != XI_RawButtonPress && cookie.evtype != XI_RawButtonRelease))
            continue;
        const XEventData data(display_, cookie);
        if (!data.loaded()) continue;
        const int source = static_cast<const XIRawEvent*>(cookie.data)->sourceid;
        if (std::find(xtestDevices_.begin(), xtestDevices_.end(), source) != xtestDevices_.end()) ++echoed_;
    }
}

bool XTestButtonEchoes::waitForAll(std::chrono::steady_clock::time_point giveUp) {
    if (!selected_) return false;
    idle_.start();
    XFlush(display_);
    for (;;) {
        readEchoes();
        if (echoed_ >= expected_) return true;
        const auto left = giveUp - std::chrono::steady_clock::now();
        if (left <= left.zero()) return false;
        pollfd socket{ConnectionNumber(display_), POLLIN, 0};
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        poll(&socket, 1, static_cast<int>(ms));
    }
}

} // namespace cursovia::qtx11
