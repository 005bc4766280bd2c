#pragma once
// Include after any Qt header: Xlib's macros (None, Bool) break them.
#include <X11/Xlib.h>

namespace cursovia::qtx11 {

// The extension data of a generic event (XInput2's), loaded for as long as
// this lives.
class XEventData {
public:
    XEventData(Display* display, XGenericEventCookie& cookie)
        : display_(display), cookie_(cookie), loaded_(XGetEventData(display, &cookie)) {}
    ~XEventData() {
        if (loaded_) XFreeEventData(display_, &cookie_);
    }
    XEventData(const XEventData&) = delete;
    XEventData& operator=(const XEventData&) = delete;
    bool loaded() const { return loaded_; }

private:
    Display* display_;
    XGenericEventCookie& cookie_;
    bool loaded_;
};

} // namespace cursovia::qtx11
