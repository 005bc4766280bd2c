#pragma once
#include <memory>

// Xlib's own name for a connection; declared here so that no X11 header, and
// none of its macros (None, Bool, Status...), reaches the files including this one.
struct _XDisplay;

namespace cursovia::qtx11 {

struct XDisplayCloser {
    void operator()(_XDisplay* display) const;
};

// One connection of our own to the X server, closed when it goes.
using XDisplay = std::unique_ptr<_XDisplay, XDisplayCloser>;

// Opens a connection to the display named by $DISPLAY; empty when there is none.
XDisplay openXDisplay();

} // namespace cursovia::qtx11
