#include "MouseEventSourceAdapter.h"

#include "PerformanceClock.h"
#include "base/CallbackBoundary.h"

#include <optional>

namespace cursovia::win32 {
namespace {

constexpr const char* MouseHookProc = "modMouse.MouseHookProc";

struct ButtonMessage {
    WPARAM message;
    ButtonEvent button;
};

// The X buttons' messages are not here: only these three buttons are reported.
constexpr ButtonMessage ButtonMessages[] = {
    {WM_LBUTTONDOWN, {MouseButton::Left, true}},   {WM_LBUTTONUP, {MouseButton::Left, false}},
    {WM_RBUTTONDOWN, {MouseButton::Right, true}},  {WM_RBUTTONUP, {MouseButton::Right, false}},
    {WM_MBUTTONDOWN, {MouseButton::Middle, true}}, {WM_MBUTTONUP, {MouseButton::Middle, false}},
};

std::optional<ButtonEvent> buttonOf(WPARAM message) {
    for (const ButtonMessage& b : ButtonMessages)
        if (b.message == message) return b.button;
    return std::nullopt;
}

bool onOwnWindow(POINT at) {
    DWORD process = 0;
    const HWND window = WindowFromPoint(at);
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

} // namespace

bool MouseHook::install(MouseSink& sink) {
    remove();
    if (!hook_.install(*this, WH_MOUSE_LL, &MouseHook::procedure)) return false;
    sink_ = &sink;
    wheelRest_ = 0;
    return true;
}

void MouseHook::remove() {
    hook_.remove();
    sink_ = nullptr;
}

ClickLimits MouseHook::clickLimits() {
    return {std::chrono::milliseconds(GetDoubleClickTime()), GetSystemMetrics(SM_CXDOUBLECLK),
            GetSystemMetrics(SM_CYDOUBLECLK), GetSystemMetrics(SM_CXDRAG)};
}

void MouseHook::deliver(WPARAM message, const MSLLHOOKSTRUCT& event, MonotonicTime time) {
    MouseEvent mouse;
    // The sink may remove the hook while it handles an event.
    const auto send = [&] {
        if (sink_) sink_->onMouseEvent(mouse);
    };
    mouse.at = {event.pt.x, event.pt.y};
    mouse.time = time;
    if (const std::optional<ButtonEvent> button = buttonOf(message)) {
        mouse.kind = MouseEvent::Kind::Button;
        mouse.button = *button;
        mouse.overOwnWindow = onOwnWindow(event.pt);
        send();
    } else if (message == WM_MOUSEWHEEL) {
        // The high word is the signed distance, WHEEL_DELTA a notch away from the user.
        const int delta = static_cast<short>(HIWORD(event.mouseData));
        if ((wheelRest_ < 0) != (delta < 0)) wheelRest_ = 0;
        wheelRest_ += delta;
        mouse.kind = MouseEvent::Kind::Wheel;
        mouse.overOwnWindow = onOwnWindow(event.pt);
        for (; wheelRest_ >= WHEEL_DELTA; wheelRest_ -= WHEEL_DELTA) {
            mouse.step = WheelStep::Up;
            send();
        }
        for (; wheelRest_ <= -WHEEL_DELTA; wheelRest_ += WHEEL_DELTA) {
            mouse.step = WheelStep::Down;
            send();
        }
    }
}

LRESULT CALLBACK MouseHook::procedure(int code, WPARAM message, LPARAM event) {
    // Read first, so the time is the event's and not the translation's.
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    // Injected events count the same: replays of another program are the user's too.
    MouseHook* const installed = LowLevelHook<MouseHook>::installed();
    if (code == HC_ACTION && installed && installed->sink_) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(event);
        // Only logged: a message box here would hold up the whole desktop's mouse.
        runAtCallbackBoundary(MouseHookProc, nullptr,
                              [&] { installed->deliver(message, mouse, performanceCounterTime(counter.QuadPart)); });
    }
    return CallNextHookEx(nullptr, code, message, event);
}

} // namespace cursovia::win32
