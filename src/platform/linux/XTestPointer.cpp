#include "XTestPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace cursovia {
namespace {

constexpr unsigned LeftButton = 1;
constexpr int ScreenOfThePointer = -1;

} // namespace

XTestPointer::XTestPointer() : display_(openXDisplay()) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest_ = display_ && XTestQueryExtension(display_.get(), &eventBase, &errorBase, &major, &minor);
}

void XTestPointer::moveTo(ScreenPoint at) {
    if (!hasXTest_) return;
    XTestFakeMotionEvent(display_.get(), ScreenOfThePointer, at.x, at.y, CurrentTime);
    XSync(display_.get(), False);
}

void XTestPointer::leftClick() {
    if (!hasXTest_) return;
    // Both halves go out in one flush: nothing can come between them.
    XTestFakeButtonEvent(display_.get(), LeftButton, True, CurrentTime);
    XTestFakeButtonEvent(display_.get(), LeftButton, False, CurrentTime);
    XSync(display_.get(), False);
}

ScreenPoint XTestPointer::position() {
    if (!display_) return {};
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &buttons);
    return {rootX, rootY};
}

} // namespace cursovia
