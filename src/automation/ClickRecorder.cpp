#include "automation/ClickRecorder.h"

#include "base/Conversions.h"

#include <chrono>
#include <cstdlib>

namespace cursovia {
namespace {

struct ButtonKinds {
    std::string_view click;
    std::string_view doubleClick; // empty: two clicks stay two clicks
};

constexpr ButtonKinds KindsOf[] = {
    /* Left */ {kind::SingleClick, kind::DoubleClick},
    /* Right */ {kind::RightClick, kind::RightDoubleClick},
    /* Middle */ {kind::MiddleClick, {}},
};

std::size_t slot(MouseButton button) { return static_cast<std::size_t>(button); }

// Seconds with millisecond resolution, as a wait box would hold them.
std::string waitText(MonotonicTime from, MonotonicTime to) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
    return numberToText(static_cast<double>(ms < 0 ? 0 : ms) / 1000.0);
}

} // namespace

void ClickRecorder::add(const MouseEvent& event) {
    if (event.kind == MouseEvent::Kind::Wheel) {
        if (!event.overOwnWindow)
            recorded_.push_back({event.step == WheelStep::Up ? kind::ScrollUp : kind::ScrollDown, event.at, event.time});
        return;
    }
    std::optional<Press>& pressed = pressed_[slot(event.button.button)];
    if (event.button.pressed) {
        pressed = Press{event.at, event.time, event.overOwnWindow};
        return;
    }
    // A release whose press came before the recording began is no click.
    if (!pressed) return;
    const Press press = *pressed;
    pressed.reset();
    if (!press.overOwnWindow) addRelease(event.button.button, press, event.at, event.time);
}

void ClickRecorder::addRelease(MouseButton button, const Press& press, ScreenPoint at, MonotonicTime time) {
    const bool moved = std::abs(at.x - press.at.x) > limits_.dragDistance || std::abs(at.y - press.at.y) > limits_.dragDistance;
    if (button == MouseButton::Left && moved) {
        recorded_.push_back({kind::LeftDown, press.at, press.time});
        recorded_.push_back({kind::LeftUp, at, time});
        return;
    }
    const ButtonKinds& kinds = KindsOf[slot(button)];
    if (!kinds.doubleClick.empty() && pairsWithLast(kinds.click, press)) {
        recorded_.back().kind = kinds.doubleClick;
        return;
    }
    recorded_.push_back({kinds.click, press.at, press.time});
}

// The press is the second click of a double click with the row before it.
bool ClickRecorder::pairsWithLast(std::string_view single, const Press& press) const {
    if (recorded_.empty() || recorded_.back().kind != single) return false;
    const Recorded& first = recorded_.back();
    return press.time - first.time <= limits_.doubleClickTime &&
           std::abs(press.at.x - first.at.x) * 2 <= limits_.doubleClickWidth &&
           std::abs(press.at.y - first.at.y) * 2 <= limits_.doubleClickHeight;
}

void ClickRecorder::dropLastClick(MouseButton button) {
    std::optional<Press>& pressed = pressed_[slot(button)];
    if (pressed) {
        pressed.reset();
        return;
    }
    if (recorded_.empty()) return;
    const ButtonKinds& kinds = KindsOf[slot(button)];
    Recorded& last = recorded_.back();
    if (last.kind == kinds.click) recorded_.pop_back();
    else if (!kinds.doubleClick.empty() && last.kind == kinds.doubleClick) last.kind = kinds.click;
}

std::vector<Action> ClickRecorder::rows(MonotonicTime end) const {
    std::vector<Action> rows;
    rows.reserve(recorded_.size());
    for (std::size_t i = 0; i < recorded_.size(); ++i) {
        const Recorded& r = recorded_[i];
        const MonotonicTime next = i + 1 < recorded_.size() ? recorded_[i + 1].time : end;
        rows.push_back({std::to_string(r.at.x), std::to_string(r.at.y), waitText(r.time, next), std::string(r.kind)});
    }
    return rows;
}

} // namespace cursovia
