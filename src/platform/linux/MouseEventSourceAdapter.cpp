#include "MouseEventSourceAdapter.h"

#include "base/CallbackBoundary.h"
#include "base/EventLoop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QWidget>

#include <cmath>
#include <optional>

#include <X11/Xlib.h>

namespace cursovia::qtx11 {
namespace {

// Where a panic inside the sink is reported.
constexpr const char* MouseHookProc = "modMouse.MouseHookProc";

// X's button numbers: 1..3 the buttons, 4 and 5 the vertical wheel's notches
// (a press each, with a release that means nothing), 6 and 7 the horizontal
// wheel, 8 on the side buttons - those are not reported.
std::optional<MouseEvent> eventForButton(int number, bool pressed) {
    MouseEvent event;
    switch (number) {
    case 1: event.button = {MouseButton::Left, pressed}; return event;
    case 2: event.button = {MouseButton::Middle, pressed}; return event;
    case 3: event.button = {MouseButton::Right, pressed}; return event;
    case 4:
    case 5:
        if (!pressed) return std::nullopt;
        event.kind = MouseEvent::Kind::Wheel;
        event.step = number == 4 ? WheelStep::Up : WheelStep::Down;
        return event;
    default: return std::nullopt;
    }
}

// Qt places its windows in scaled pixels, X in device pixels (the scaled
// ones times the screen's ratio, as the pointer adapter counts them).
QPoint qtPoint(ScreenPoint at) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const double ratio = screen->devicePixelRatio();
        const QPoint scaled(static_cast<int>(std::floor(at.x / ratio)), static_cast<int>(std::floor(at.y / ratio)));
        if (screen->geometry().contains(scaled)) return scaled;
    }
    return {at.x, at.y};
}

bool onOwnWindow(ScreenPoint at) {
    // Main window, menus, message boxes and dialogs are all visible top-level
    // widgets of this process.
    return QApplication::topLevelAt(qtPoint(at)) != nullptr;
}

} // namespace

XInputMouseSource::XInputMouseSource(EventLoop& clock) : clock_(clock), events_(XInputRawEvents::Source::Buttons) {}

bool XInputMouseSource::install(MouseSink& sink) {
    if (!events_.available()) return false;
    sink_ = &sink;
    return events_.start([this](const RawInputEvent& raw) { onRawButton(raw); });
}

void XInputMouseSource::remove() {
    sink_ = nullptr;
    events_.stop();
}

ScreenPoint XInputMouseSource::pointerPosition() {
    Display* display = events_.display();
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &buttons);
    return {rootX, rootY};
}

void XInputMouseSource::onRawButton(const RawInputEvent& raw) {
    // Read first: the clock at receipt is as close to the event as X lets us.
    const MonotonicTime time = clock_.now();
    std::optional<MouseEvent> event = eventForButton(raw.detail, raw.pressed);
    if (!event || !sink_) return;
    event->time = time;
    // The events still queued behind this one are read by the loop calling here.
    event->at = pointerPosition();
    event->overOwnWindow = onOwnWindow(event->at);
    runAtCallbackBoundary(MouseHookProc, nullptr, [&] { sink_->onMouseEvent(*event); });
}

ClickLimits XInputMouseSource::clickLimits() {
    const QStyleHints* hints = QGuiApplication::styleHints();
    ClickLimits limits;
    limits.doubleClickTime = std::chrono::milliseconds(hints->mouseDoubleClickInterval());
    // Qt gives the distance from the first click; the rectangle is centred on it.
    limits.doubleClickWidth = limits.doubleClickHeight = 2 * hints->mouseDoubleClickDistance();
    limits.dragDistance = hints->startDragDistance();
    return limits;
}

} // namespace cursovia::qtx11
