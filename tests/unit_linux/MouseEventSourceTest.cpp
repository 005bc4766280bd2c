// The mouse source on a real X server: clicks and wheel notches injected with
// XTest must reach the sink as the core's events, in order, each with the
// position it happened at and the event loop's time.
#include "EventLoopAdapter.h"
#include "MouseEventSourceAdapter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <vector>

// Last: Xlib's macros (None, Bool) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace cursovia {
// Found by the test framework next to the type it prints.
void PrintTo(const MouseEvent& e, std::ostream* out) {
    *out << (e.kind == MouseEvent::Kind::Wheel ? (e.step == WheelStep::Up ? "wheel up" : "wheel down")
                                               : (e.button.pressed ? "press " : "release "));
    if (e.kind == MouseEvent::Kind::Button) *out << static_cast<int>(e.button.button);
    *out << " at " << e.at.x << "," << e.at.y << (e.overOwnWindow ? " over own window" : "");
}

} // namespace cursovia

namespace cursovia::qtx11 {
namespace {

using namespace std::chrono_literals;

struct RecordingSink : MouseSink {
    std::vector<MouseEvent> events;
    void onMouseEvent(const MouseEvent& event) override { events.push_back(event); }
};

// An X button going down or up at a point, as XTest sends it.
struct Injection {
    ScreenPoint at;
    unsigned button;
    bool press;
};

MouseEvent button(ScreenPoint at, MouseButton which, bool pressed, bool own = false) {
    MouseEvent e;
    e.button = {which, pressed};
    e.at = at;
    e.overOwnWindow = own;
    return e;
}

MouseEvent wheel(ScreenPoint at, WheelStep step) {
    MouseEvent e;
    e.kind = MouseEvent::Kind::Wheel;
    e.step = step;
    e.at = at;
    return e;
}

// The events as expected, each compared without its time.
void expectEventsButTheirTimes(const std::vector<MouseEvent>& events, const std::vector<MouseEvent>& expected) {
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        MouseEvent got = events[i];
        got.time = {};
        EXPECT_EQ(got, expected[i]);
    }
}

class MouseEventSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        injector_ = XOpenDisplay(nullptr);
        ASSERT_NE(injector_, nullptr);
        // No window manager on the test's display: the window stands exactly here.
        own_.setGeometry(600, 400, 200, 150);
        own_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&own_));
    }
    void TearDown() override {
        if (injector_) XCloseDisplay(injector_);
    }

    void inject(const std::vector<Injection>& injections) {
        for (const Injection& i : injections) {
            XTestFakeMotionEvent(injector_, -1, i.at.x, i.at.y, CurrentTime);
            XTestFakeButtonEvent(injector_, i.button, i.press ? True : False, CurrentTime);
            // The pointer must not move on before the server has queued the event.
            XSync(injector_, False);
        }
    }

    // Runs the Qt event loop until `count` events have arrived; the limit is
    // only there so a lost event fails the test instead of hanging it.
    static void pumpUntil(const RecordingSink& sink, std::size_t count) {
        (void)QTest::qWaitFor([&] { return sink.events.size() >= count; }, 10000);
    }

    QtEventLoop loop_;
    Display* injector_ = nullptr;
    QWidget own_;
};

TEST_F(MouseEventSourceTest, ReportsButtonsAndWheelNotchesInOrderWhereThePointerStood) {
    const ScreenPoint leftAt{100, 120}, rightAt{300, 80}, middleAt{50, 500}, wheelAt{420, 260}, overOwn{650, 450};
    // Each step's events are awaited before the next, so a lost event fails at its step.
    struct Step {
        std::vector<Injection> injections;
        std::vector<MouseEvent> expected;
    };
    const std::vector<Step> steps = {
        {{{leftAt, 1, true}, {leftAt, 1, false}},
         {button(leftAt, MouseButton::Left, true), button(leftAt, MouseButton::Left, false)}},
        {{{rightAt, 3, true}}, {button(rightAt, MouseButton::Right, true)}},
        // The horizontal wheel and the side buttons are not reported.
        {{{rightAt, 6, true}, {rightAt, 6, false}, {rightAt, 8, true}, {rightAt, 8, false}, {rightAt, 3, false}},
         {button(rightAt, MouseButton::Right, false)}},
        {{{middleAt, 2, true}, {middleAt, 2, false}},
         {button(middleAt, MouseButton::Middle, true), button(middleAt, MouseButton::Middle, false)}},
        // A notch is one press; its release is no second notch.
        {{{wheelAt, 4, true}, {wheelAt, 4, false}, {wheelAt, 5, true}, {wheelAt, 5, false}},
         {wheel(wheelAt, WheelStep::Up), wheel(wheelAt, WheelStep::Down)}},
        {{{overOwn, 1, true}, {overOwn, 1, false}},
         {button(overOwn, MouseButton::Left, true, true), button(overOwn, MouseButton::Left, false, true)}},
    };

    XRecordMouseSource source(loop_);
    RecordingSink sink;
    ASSERT_TRUE(source.install(sink));
    const MonotonicTime before = loop_.now();
    std::vector<MouseEvent> expected;
    for (const Step& step : steps) {
        inject(step.injections);
        expected.insert(expected.end(), step.expected.begin(), step.expected.end());
        pumpUntil(sink, expected.size());
    }
    const MonotonicTime after = loop_.now();

    ASSERT_EQ(sink.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        MouseEvent got = sink.events[i];
        // Times are on the event loop's clock, between the first injection and the last arrival.
        EXPECT_GE(got.time, i == 0 ? before : sink.events[i - 1].time);
        EXPECT_LE(got.time, after);
        got.time = {};
        EXPECT_EQ(got, expected[i]);
    }
    source.remove();
}

TEST_F(MouseEventSourceTest, EventsReadInOneBurstKeepTheirOwnPositionsThoughThePointerMovedOn) {
    // A drag, a notch and the pointer gone elsewhere, all queued by the server
    // before the program reads the first of them: where the pointer stands at
    // reading time is none of their positions.
    const ScreenPoint pressAt{100, 700}, releaseAt{900, 100}, notchAt{500, 650}, finallyAt{20, 30};
    XRecordMouseSource source(loop_);
    RecordingSink sink;
    ASSERT_TRUE(source.install(sink));
    inject({{pressAt, 1, true}, {releaseAt, 1, false}, {notchAt, 5, true}, {notchAt, 5, false}});
    XTestFakeMotionEvent(injector_, -1, finallyAt.x, finallyAt.y, CurrentTime);
    XSync(injector_, False);
    pumpUntil(sink, 3);

    const std::vector<MouseEvent> expected = {button(pressAt, MouseButton::Left, true),
                                              button(releaseAt, MouseButton::Left, false),
                                              wheel(notchAt, WheelStep::Down)};
    expectEventsButTheirTimes(sink.events, expected);
    source.remove();
}

TEST_F(MouseEventSourceTest, NothingArrivesOnceRemovedAndAnInstallAgainResumes) {
    const ScreenPoint first{200, 200}, second{210, 220};
    XRecordMouseSource source(loop_);
    RecordingSink removed, resumed;
    ASSERT_TRUE(source.install(removed));
    source.remove();
    inject({{first, 1, true}, {first, 1, false}});
    ASSERT_TRUE(source.install(resumed));
    inject({{second, 3, true}, {second, 3, false}});
    pumpUntil(resumed, 2);

    EXPECT_TRUE(removed.events.empty());
    ASSERT_EQ(resumed.events.size(), 2u);
    EXPECT_EQ(resumed.events[0].at, second);
    EXPECT_EQ(resumed.events[0].button, (ButtonEvent{MouseButton::Right, true}));
}

TEST_F(MouseEventSourceTest, ClicksNotYetReadWhenRemovedReachNeitherThatSinkNorTheNextInstall) {
    const ScreenPoint unread{150, 160}, next{250, 260};
    XRecordMouseSource source(loop_);
    RecordingSink removed, resumed;
    ASSERT_TRUE(source.install(removed));
    // Queued by the server but not read: the loop does not run before the removal.
    inject({{unread, 1, true}, {unread, 1, false}});
    source.remove();
    ASSERT_TRUE(source.install(resumed));
    inject({{next, 3, true}, {next, 3, false}});
    pumpUntil(resumed, 2);
    QTest::qWait(50);

    EXPECT_TRUE(removed.events.empty());
    const std::vector<MouseEvent> expected = {button(next, MouseButton::Right, true), button(next, MouseButton::Right, false)};
    expectEventsButTheirTimes(resumed.events, expected);
    source.remove();
}

TEST_F(MouseEventSourceTest, ClickLimitsComeFromTheStyleHintsWithTheRectangleCentredOnTheClick) {
    XRecordMouseSource source(loop_);
    const QStyleHints* hints = QGuiApplication::styleHints();
    const ClickLimits limits = source.clickLimits();
    EXPECT_EQ(limits.doubleClickTime, std::chrono::milliseconds(hints->mouseDoubleClickInterval()));
    EXPECT_EQ(limits.doubleClickWidth, 2 * hints->mouseDoubleClickDistance());
    EXPECT_EQ(limits.doubleClickHeight, 2 * hints->mouseDoubleClickDistance());
    EXPECT_EQ(limits.dragDistance, hints->startDragDistance());
}

} // namespace
} // namespace cursovia::qtx11
