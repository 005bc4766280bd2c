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

XRecordMouseSource::XRecordMouseSource(EventLoop& clock) : clock_(clock) {}

bool XRecordMouseSource::install(MouseSink& sink) {
    sink_ = &sink;
    return events_.start([this](const RecordedButtonEvent& recorded) { onRecordedButton(recorded); });
}

void XRecordMouseSource::remove() {
    sink_ = nullptr;
    events_.stop();
}

void XRecordMouseSource::onRecordedButton(const RecordedButtonEvent& recorded) {
    // Read first: the clock at receipt is as close to the event as the loop lets us.
    const MonotonicTime time = clock_.now();
    std::optional<MouseEvent> event = eventForButton(recorded.button, recorded.pressed);
    if (!event || !sink_) return;
    event->time = time;
    event->at = {recorded.rootX, recorded.rootY};
    event->overOwnWindow = onOwnWindow(event->at);
    runAtCallbackBoundary(MouseHookProc, nullptr, [&] { sink_->onMouseEvent(*event); });
}

ClickLimits XRecordMouseSource::clickLimits() {
    const QStyleHints* hints = QGuiApplication::styleHints();
    ClickLimits limits;
    limits.doubleClickTime = std::chrono::milliseconds(hints->mouseDoubleClickInterval());
    // Qt gives the distance from the first click; the rectangle is centred on it.
    limits.doubleClickWidth = limits.doubleClickHeight = 2 * hints->mouseDoubleClickDistance();
    limits.dragDistance = hints->startDragDistance();
    return limits;
}

} // namespace cursovia::qtx11
