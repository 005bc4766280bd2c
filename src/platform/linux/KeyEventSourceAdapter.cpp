#include "KeyEventSourceAdapter.h"

#include "KeysymTable.h"
#include "base/CallbackBoundary.h"

#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace cursovia::qtx11 {
namespace {

// Releases the extension data of a generic event when the scope ends.
class EventData {
public:
    EventData(Display* display, XGenericEventCookie& cookie)
        : display_(display), cookie_(cookie), loaded_(XGetEventData(display, &cookie)) {}
    ~EventData() {
        if (loaded_) XFreeEventData(display_, &cookie_);
    }
    EventData(const EventData&) = delete;
    EventData& operator=(const EventData&) = delete;
    bool loaded() const { return loaded_; }

private:
    Display* display_;
    XGenericEventCookie& cookie_;
    bool loaded_;
};

} // namespace

XInputKeySource::XInputKeySource() : display_(openXDisplay()) {
    if (!display_) return;
    int event = 0, error = 0;
    if (!XQueryExtension(display_.get(), "XInputExtension", &xinputOpcode_, &event, &error)) {
        xinputOpcode_ = -1;
        return;
    }
    // Asked once per connection (a second query is a protocol error). From
    // 2.1 on raw events keep coming while another program grabs the keyboard.
    int major = 2, minor = 2;
    if (XIQueryVersion(display_.get(), &major, &minor) != Success || major < 2 || (major == 2 && minor < 1))
        xinputOpcode_ = -1;
}

XInputKeySource::~XInputKeySource() { remove(); }

void XInputKeySource::selectRawKeys(bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
    }
    // The master keyboard carries the events of every physical keyboard and
    // of the XTest device once, not once per slave device.
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display_.get(), DefaultRootWindow(display_.get()), &mask, 1);
    XSync(display_.get(), False);
}

bool XInputKeySource::install(KeySink& sink) {
    if (xinputOpcode_ < 0) return false;
    sink_ = &sink;
    if (notifier_) return true;
    selectRawKeys(true);
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_.get()), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    // Xlib may already hold events read while the selection was synchronised.
    readEvents();
    return true;
}

void XInputKeySource::remove() {
    sink_ = nullptr;
    if (!notifier_) return;
    notifier_.reset();
    selectRawKeys(false);
}

void XInputKeySource::readEvents() {
    Display* display = display_.get();
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != xinputOpcode_) continue;
        if (cookie.evtype != XI_RawKeyPress && cookie.evtype != XI_RawKeyRelease) continue;
        const EventData data(display, cookie);
        if (!data.loaded()) continue;
        const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
        // Level 0 of group 0: the key itself, whatever modifiers are held.
        const KeySym keysym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(raw->detail), 0, 0);
        const std::optional<Key> known = keyForKeysym(keysym);
        if (!known || !sink_) continue;
        const KeyEvent key{*known, cookie.evtype == XI_RawKeyPress};
        // Only logged: the keys of the whole desktop pass through here.
        runAtCallbackBoundary(KeyboardHookProc, nullptr, [&] { sink_->onKeyEvent(key); });
    }
}

bool XInputKeySource::isKeyDown(Key key) {
    if (!display_) return false;
    char keys[32] = {};
    XQueryKeymap(display_.get(), keys);
    // The round trip may have moved key events into Xlib's queue, where the
    // socket notifier cannot see them; they are read once this call is over.
    if (notifier_) QMetaObject::invokeMethod(notifier_.get(), [this] { readEvents(); }, Qt::QueuedConnection);
    for (const unsigned long keysym : keysymsForKey(key)) {
        const KeyCode code = XKeysymToKeycode(display_.get(), keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8)))) return true;
    }
    return false;
}

} // namespace cursovia::qtx11
