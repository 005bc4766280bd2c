#include "Pointer.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace cursovia::x11 {
namespace {

constexpr unsigned LeftButton = 1;
constexpr int ScreenOfThePointer = -1;
constexpr auto PollEvery = std::chrono::microseconds(200);
constexpr auto GiveUpAfter = std::chrono::milliseconds(50);

} // namespace

XTestPointer::XTestPointer() : display_(openXDisplay()) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest_ = display_ && XTestQueryExtension(display_.get(), &eventBase, &errorBase, &major, &minor);
}

XTestPointer::State XTestPointer::query() {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &mask);
    return {{rootX, rootY}, (mask & Button1Mask) != 0};
}

template <typename Done>
void XTestPointer::waitFor(Done done) {
    const auto giveUp = std::chrono::steady_clock::now() + GiveUpAfter;
    while (!done(query()) && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(PollEvery);
}

void XTestPointer::moveTo(ScreenPoint at) {
    if (!hasXTest_) return;
    XTestFakeMotionEvent(display_.get(), ScreenOfThePointer, at.x, at.y, CurrentTime);
    // The server keeps the pointer on the screen: that is where it will stand.
    Display* display = display_.get();
    const ScreenPoint onScreen{std::clamp(at.x, 0, DisplayWidth(display, DefaultScreen(display)) - 1),
                               std::clamp(at.y, 0, DisplayHeight(display, DefaultScreen(display)) - 1)};
    waitFor([&](const State& s) { return s.at == onScreen; });
}

void XTestPointer::leftClick() {
    if (!hasXTest_) return;
    XTestFakeButtonEvent(display_.get(), LeftButton, True, CurrentTime);
    waitFor([](const State& s) { return s.leftDown; });
    XTestFakeButtonEvent(display_.get(), LeftButton, False, CurrentTime);
    waitFor([](const State& s) { return !s.leftDown; });
}

ScreenPoint XTestPointer::position() {
    if (!display_) return {};
    return query().at;
}

} // namespace cursovia::x11
