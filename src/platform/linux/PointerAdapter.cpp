#include "PointerAdapter.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <thread>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace cursovia::qtx11 {
namespace {

// X's button numbers: 1 left, 2 middle, 3 right, 4 and 5 the wheel away and towards.
constexpr unsigned ButtonNumbers[] = {1, 3, 2}; // by MouseButton: Left, Right, Middle
constexpr unsigned WheelUpButton = 4, WheelDownButton = 5;
constexpr int ScreenOfThePointer = -1;
// Without echoes, a window manager that holds a press lets it go a few
// hundred microseconds later, so the state is looked at again soon after
// (the system adds its own timer slack).
constexpr auto PollEvery = std::chrono::microseconds(50);
constexpr auto GiveUpAfter = std::chrono::milliseconds(50);

unsigned maskOf(unsigned button) { return Button1Mask << (button - 1); }

} // namespace

XTestPointer::XTestPointer() : display_(openXDisplay()), echoes_(display_.get()) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest_ = display_ && XTestQueryExtension(display_.get(), &eventBase, &errorBase, &major, &minor);
}

XTestPointer::State XTestPointer::query() {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &mask);
    return {{rootX, rootY}, mask};
}

void XTestPointer::moveTo(ScreenPoint at) {
    if (!hasXTest_) return;
    XTestFakeMotionEvent(display_.get(), ScreenOfThePointer, at.x, at.y, CurrentTime);
    // The server keeps the pointer on the screen: that is where it will stand.
    Display* display = display_.get();
    sent_.moved = true;
    sent_.at = {std::clamp(at.x, 0, DisplayWidth(display, DefaultScreen(display)) - 1),
                std::clamp(at.y, 0, DisplayHeight(display, DefaultScreen(display)) - 1)};
}

void XTestPointer::button(unsigned number, bool pressed) {
    echoes_.expectOne();
    XTestFakeButtonEvent(display_.get(), number, pressed ? True : False, CurrentTime);
    sent_.buttonsSent |= maskOf(number);
    sent_.buttonsDown = pressed ? sent_.buttonsDown | maskOf(number) : sent_.buttonsDown & ~maskOf(number);
}

void XTestPointer::buttons(std::span<const ButtonEvent> events) {
    if (!hasXTest_) return;
    for (const ButtonEvent& e : events) button(ButtonNumbers[static_cast<std::size_t>(e.button)], e.pressed);
}

void XTestPointer::wheel(WheelStep step) {
    if (!hasXTest_) return;
    const unsigned number = step == WheelStep::Up ? WheelUpButton : WheelDownButton;
    button(number, true);
    button(number, false);
}

bool XTestPointer::shown(const State& state) const {
    return (!sent_.moved || state.at == sent_.at) && (state.buttonMask & sent_.buttonsSent) == sent_.buttonsDown;
}

void XTestPointer::settle() {
    if (!hasXTest_ || (!sent_.moved && sent_.buttonsSent == 0)) return;
    const auto giveUp = std::chrono::steady_clock::now() + GiveUpAfter;
    if (sent_.buttonsSent != 0 && echoes_.available()) {
        // The last button event's echo comes after every event sent before it was carried out.
        if (!echoes_.waitForAll(giveUp) && shown(query())) echoes_.stopExpecting(); // a server that does not echo
    } else {
        // The query's reply comes after the server has taken every event
        // sent before it. While a grab holds the pointer, the press it holds
        // reads as down and what came after it has not yet moved the
        // pointer; once the grab lets go, the events held behind it are
        // carried out together, so the state sent is never seen before all
        // of them are.
        while (!shown(query()) && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(PollEvery);
    }
    sent_ = {};
}

ScreenPoint XTestPointer::position() {
    if (!display_) return {};
    return query().at;
}

std::vector<ScreenArea> XTestPointer::screens() {
    std::vector<ScreenArea> areas;
    // Qt keeps the monitors' layout; its geometry is in scaled pixels, X's in device pixels.
    if (qGuiApp)
        for (const QScreen* screen : QGuiApplication::screens()) {
            const QRect g = screen->geometry();
            const double ratio = screen->devicePixelRatio();
            const auto device = [ratio](int v) { return static_cast<std::int32_t>(std::lround(v * ratio)); };
            areas.push_back({device(g.left()), device(g.top()), device(g.left() + g.width()), device(g.top() + g.height())});
        }
    if (areas.empty() && display_) {
        Display* display = display_.get();
        areas.push_back({0, 0, DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))});
    }
    return areas;
}

} // namespace cursovia::qtx11
