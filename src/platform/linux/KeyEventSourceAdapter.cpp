#include "KeyEventSourceAdapter.h"

#include "KeysymTable.h"
#include "base/CallbackBoundary.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace cursovia::qtx11 {

bool XInputKeySource::install(KeySink& sink) {
    if (!events_.available()) return false;
    sink_ = &sink;
    return events_.start([this](const RawInputEvent& raw) { onRawKey(raw); });
}

void XInputKeySource::remove() {
    sink_ = nullptr;
    events_.stop();
}

void XInputKeySource::onRawKey(const RawInputEvent& raw) {
    // Level 0 of group 0: the key itself, whatever modifiers are held.
    const KeySym keysym = XkbKeycodeToKeysym(events_.display(), static_cast<KeyCode>(raw.detail), 0, 0);
    const std::optional<Key> known = keyForKeysym(keysym);
    if (!known || !sink_) return;
    const KeyEvent key{*known, raw.pressed};
    // Only logged: the keys of the whole desktop pass through here.
    runAtCallbackBoundary(KeyboardHookProc, nullptr, [&] { sink_->onKeyEvent(key); });
}

bool XInputKeySource::isKeyDown(Key key) {
    Display* display = events_.display();
    if (!display) return false;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    events_.readQueuedEventsLater();
    for (const unsigned long keysym : keysymsForKey(key)) {
        const KeyCode code = XKeysymToKeycode(display, keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8)))) return true;
    }
    return false;
}

} // namespace cursovia::qtx11
