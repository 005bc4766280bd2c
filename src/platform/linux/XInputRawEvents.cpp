#include "XInputRawEvents.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include "XEventData.h"
#include "XRawEventSelection.h"

namespace cursovia::qtx11 {

XInputRawEvents::XInputRawEvents() : display_(openXDisplay()), opcode_(rawEventsOpcode(display_.get())) {}

XInputRawEvents::~XInputRawEvents() { stop(); }

void XInputRawEvents::select(bool on) {
    if (on)
        selectRawEvents(display_.get(), {XI_RawKeyPress, XI_RawKeyRelease});
    else
        selectRawEvents(display_.get(), {});
    XSync(display_.get(), False);
}

bool XInputRawEvents::start(Handler handler) {
    if (!available()) return false;
    handler_ = std::move(handler);
    if (notifier_) return true;
    select(true);
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_.get()), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    // Xlib may already hold events read while the selection was synchronised.
    readEvents();
    return true;
}

void XInputRawEvents::stop() {
    if (!notifier_) return;
    notifier_.reset();
    select(false);
}

void XInputRawEvents::readQueuedEventsLater() {
    if (notifier_) QMetaObject::invokeMethod(notifier_.get(), [this] { readEvents(); }, Qt::QueuedConnection);
}

void XInputRawEvents::readEvents() {
    Display* display = display_.get();
    // A handler may stop the events; the rest of the queue is then dropped.
    while (started() && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != opcode_) continue;
        if (cookie.evtype != XI_RawKeyPress && cookie.evtype != XI_RawKeyRelease) continue;
        const XEventData data(display, cookie);
        if (!data.loaded()) continue;
        const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
        handler_(RawInputEvent{cookie.evtype == XI_RawKeyPress, raw->detail});
    }
}

} // namespace cursovia::qtx11
