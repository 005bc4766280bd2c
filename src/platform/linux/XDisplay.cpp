#include "XDisplay.h"

#include <X11/Xlib.h>

namespace cursovia::qtx11 {

void XDisplayCloser::operator()(_XDisplay* display) const {
    if (display) XCloseDisplay(display);
}

XDisplay openXDisplay() { return XDisplay(XOpenDisplay(nullptr)); }

} // namespace cursovia::qtx11
