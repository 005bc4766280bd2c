#include "MouseEventSourceAdapter.h"
#include "EventLoopAdapter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using namespace std::chrono_literals;
using cursovia::MouseButton;
using cursovia::MouseEvent;
using cursovia::MouseSink;
using cursovia::ScreenPoint;
using cursovia::WheelStep;
using cursovia::win32::MessageLoop;
using cursovia::win32::MouseHook;
using cursovia::win32::OwnerWindow;

class Recorder : public MouseSink {
public:
    void onMouseEvent(const MouseEvent& event) override { events.push_back(event); }
    std::vector<MouseEvent> events;
};

INPUT mouse(DWORD flags, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

// One step of the test: the pointer put somewhere, then these inputs there.
struct Gesture {
    ScreenPoint at;
    std::vector<INPUT> inputs;
};

MouseEvent button(MouseButton which, bool pressed, ScreenPoint at) {
    MouseEvent event;
    event.button = {which, pressed};
    event.at = at;
    return event;
}

MouseEvent wheel(WheelStep step, ScreenPoint at) {
    MouseEvent event;
    event.kind = MouseEvent::Kind::Wheel;
    event.step = step;
    event.at = at;
    return event;
}

// A window of this process to click on: a static control does nothing with
// the clicks, and a popup has no frame whose buttons could be hit. Without
// SS_NOTIFY the pointer would see through it.
constexpr RECT Target{100, 100, 400, 300};

class MouseHookTest : public ::testing::Test {
protected:
    MouseHookTest() {
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, Target.left, Target.top,
                                  Target.right - Target.left, Target.bottom - Target.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        loop.processPendingEvents();
    }
    ~MouseHookTest() override { DestroyWindow(window_); }

    void perform(const std::vector<Gesture>& gestures) {
        for (const Gesture& gesture : gestures) {
            SetCursorPos(gesture.at.x, gesture.at.y);
            std::vector<INPUT> inputs = gesture.inputs;
            ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
        }
    }

    // The hook's calls arrive while this thread takes messages.
    void pumpUntil(std::size_t count) {
        const auto deadline = loop.now() + 5s;
        while (recorder.events.size() < count && loop.now() < deadline) loop.waitUntil(loop.now() + 50ms);
        // A little longer, so events that should not come have the chance to.
        const auto settle = loop.now() + 200ms;
        while (loop.now() < settle) loop.waitUntil(settle);
    }

    OwnerWindow owner;
    MessageLoop loop{owner};
    MouseHook hook;
    Recorder recorder;
    HWND window_ = nullptr;
};

// Kinds, buttons, steps and places; times are checked on their own.
void expectSame(const std::vector<MouseEvent>& actual, const std::vector<MouseEvent>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].kind, expected[i].kind);
        if (expected[i].kind == MouseEvent::Kind::Button) EXPECT_EQ(actual[i].button, expected[i].button);
        else EXPECT_EQ(actual[i].step, expected[i].step);
        EXPECT_EQ(actual[i].at, expected[i].at);
    }
}

TEST_F(MouseHookTest, ClicksAndWheelNotchesArriveInOrderWhereTheyHappened) {
    ASSERT_TRUE(hook.install(recorder));
    // The middle click is off the window, on the desktop of another process.
    const ScreenPoint a{150, 120}, b{300, 250}, c{600, 450}, d{390, 110};
    const auto before = loop.now();
    perform({
        {a, {mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)}},
        {b, {mouse(MOUSEEVENTF_RIGHTDOWN), mouse(MOUSEEVENTF_RIGHTUP)}},
        {c, {mouse(MOUSEEVENTF_MIDDLEDOWN), mouse(MOUSEEVENTF_MIDDLEUP)}},
        {d, {mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA)}},
    });
    pumpUntil(7);
    expectSame(recorder.events, {button(MouseButton::Left, true, a), button(MouseButton::Left, false, a),
                                 button(MouseButton::Right, true, b), button(MouseButton::Right, false, b),
                                 button(MouseButton::Middle, true, c), button(MouseButton::Middle, false, c),
                                 wheel(WheelStep::Up, d)});
    auto last = before;
    for (const MouseEvent& event : recorder.events) {
        EXPECT_GE(event.time, last);
        EXPECT_EQ(event.overOwnWindow, event.at != c);
        last = event.time;
    }
    EXPECT_LE(last, loop.now());
}

TEST_F(MouseHookTest, TheWheelGivesOneEventPerNotchWithItsDirection) {
    ASSERT_TRUE(hook.install(recorder));
    const ScreenPoint at{200, 200};
    perform({{at,
              {mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-2 * WHEEL_DELTA)),
               // A fine-grained wheel: two half turns make one notch.
               mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA / 2), mouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA / 2)}}});
    pumpUntil(3);
    expectSame(recorder.events, {wheel(WheelStep::Down, at), wheel(WheelStep::Down, at), wheel(WheelStep::Up, at)});
}

TEST_F(MouseHookTest, OtherButtonsAndTheHorizontalWheelAreNotReported) {
    ASSERT_TRUE(hook.install(recorder));
    const ScreenPoint at{250, 150};
    perform({{at,
              {mouse(MOUSEEVENTF_XDOWN, XBUTTON1), mouse(MOUSEEVENTF_XUP, XBUTTON1),
               mouse(MOUSEEVENTF_HWHEEL, WHEEL_DELTA), mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)}}});
    pumpUntil(2);
    expectSame(recorder.events, {button(MouseButton::Left, true, at), button(MouseButton::Left, false, at)});
}

TEST_F(MouseHookTest, NothingArrivesAfterRemove) {
    ASSERT_TRUE(hook.install(recorder));
    hook.remove();
    perform({{{200, 200}, {mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)}}});
    pumpUntil(1);
    EXPECT_TRUE(recorder.events.empty());
}

} // namespace
