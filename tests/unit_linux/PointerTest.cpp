// The pointer on a real X server, with another client standing in for a
// window manager that focuses on click: it holds every press a while before
// letting it through, as openbox does. A settle must not return before the
// events held behind such a press have been carried out.
#include "PointerAdapter.h"
#include "XTestButtonEchoes.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

// Last: Xlib's macros (None, Bool) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace cursovia::qtx11 {
namespace {

using namespace std::chrono_literals;

// Grabs every button on the root window synchronously, as a window manager's
// click-to-focus does, and lets each press through 20 ms after it came.
class HoldingGrab {
public:
    HoldingGrab() : display_(XOpenDisplay(nullptr)) {
        XGrabButton(display_, AnyButton, AnyModifier, DefaultRootWindow(display_), False, ButtonPressMask,
                    GrabModeSync, GrabModeAsync, None, None);
        XSync(display_, False);
        thread_ = std::thread([this] { holdEachPress(); });
    }
    ~HoldingGrab() {
        stop_ = true;
        thread_.join();
        XCloseDisplay(display_);
    }
    int pressesLetGo() const { return letGo_; }

private:
    void holdEachPress() {
        while (!stop_) {
            if (XPending(display_) == 0) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type != ButtonPress) continue;
            std::this_thread::sleep_for(20ms);
            ++letGo_; // before the server hears of it, so a settle that waited sees the count
            XAllowEvents(display_, ReplayPointer, CurrentTime);
            XFlush(display_);
        }
    }

    Display* display_;
    std::atomic<bool> stop_{false};
    std::atomic<int> letGo_{0};
    std::thread thread_;
};

struct PointerState {
    int x = 0, y = 0;
    unsigned buttons = 0;
};

PointerState pointerState(Display* display) {
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY, &mask);
    return {x, y, mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask)};
}

class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        observer_ = XOpenDisplay(nullptr);
        ASSERT_NE(observer_, nullptr);
    }
    void TearDown() override {
        if (observer_) XCloseDisplay(observer_);
    }
    Display* observer_ = nullptr;
};

TEST_F(PointerTest, SettleWaitsUntilEveryPressAGrabHeldIsLetThroughAndWhatFollowedIsCarriedOut) {
    struct Row {
        const char* name;
        void (*send)(XTestPointer&);
        // Presses the grab must have let through by the time settle returns: a
        // press left down may still be held then, as it already reads as down.
        int pressesLetGo;
        unsigned buttonsAfter;
    };
    const Row rows[] = {
        {"a click", [](XTestPointer& p) {
             const ButtonEvent click[] = {{MouseButton::Left, true}, {MouseButton::Left, false}};
             p.buttons(click);
         }, 1, 0},
        {"a double click", [](XTestPointer& p) {
             const ButtonEvent twice[] = {{MouseButton::Right, true}, {MouseButton::Right, false},
                                          {MouseButton::Right, true}, {MouseButton::Right, false}};
             p.buttons(twice);
         }, 3, 0},
        {"a press left down", [](XTestPointer& p) {
             const ButtonEvent down[] = {{MouseButton::Left, true}};
             p.buttons(down);
         }, 3, Button1Mask},
        {"its release", [](XTestPointer& p) {
             const ButtonEvent up[] = {{MouseButton::Left, false}};
             p.buttons(up);
         }, 4, 0},
        {"a wheel notch", [](XTestPointer& p) { p.wheel(WheelStep::Down); }, 5, 0},
    };
    XTestPointer pointer;
    const HoldingGrab grab;
    int x = 100;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        x += 50;
        pointer.moveTo({x, 200});
        row.send(pointer);
        pointer.settle();
        EXPECT_GE(grab.pressesLetGo(), row.pressesLetGo);
        const PointerState state = pointerState(observer_);
        EXPECT_EQ(state.x, x);
        EXPECT_EQ(state.y, 200);
        EXPECT_EQ(state.buttons, row.buttonsAfter);
    }
}

// The echoes are the server's report of every button event of the desktop:
// listened to only while a run sends, not while the program sits idle.
TEST_F(PointerTest, ButtonEchoesAreListenedToOnlyWhileEventsAreSent) {
    XTestButtonEchoes echoes(observer_);
    ASSERT_TRUE(echoes.available());
    const auto listening = [this] {
        int count = 0;
        XIEventMask* masks = XIGetSelectedEvents(observer_, DefaultRootWindow(observer_), &count);
        bool any = false;
        for (int i = 0; i < count; ++i)
            for (int b = 0; b < masks[i].mask_len; ++b) any = any || masks[i].mask[b] != 0;
        XFree(masks);
        return any;
    };
    EXPECT_FALSE(listening());
    for (const bool pressed : {true, false}) {
        echoes.expectOne();
        XTestFakeButtonEvent(observer_, 1, pressed ? True : False, CurrentTime);
    }
    EXPECT_TRUE(echoes.waitForAll(std::chrono::steady_clock::now() + 5s));
    EXPECT_TRUE(listening());
    // Nothing more sent: after a second of the event loop it has stopped listening.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 3000));
    // An event expected and never sent is never echoed.
    echoes.expectOne();
    EXPECT_FALSE(echoes.waitForAll(std::chrono::steady_clock::now() + 50ms));
}

} // namespace
} // namespace cursovia::qtx11
