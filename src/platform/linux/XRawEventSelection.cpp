#include "XRawEventSelection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace cursovia::qtx11 {

int rawEventsOpcode(Display* display) {
    int opcode = -1, event = 0, error = 0, major = 2, minor = 2;
    if (!display || !XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return -1;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1)) return -1;
    return opcode;
}

void selectRawEvents(Display* display, std::initializer_list<int> types) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    for (const int type : types) XISetMask(bits, type);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

} // namespace cursovia::qtx11
