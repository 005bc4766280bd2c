// The key source on a real X server: keys injected with XTest reach the sink
// in the program's own terms, and isKeyDown sees the server's keyboard state.
#include "KeyEventSourceAdapter.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// Last: Xlib's macros (None, Bool) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace cursovia::qtx11 {
namespace {

struct RecordingSink : KeySink {
    std::vector<KeyEvent> events;
    void onKeyEvent(const KeyEvent& event) override { events.push_back(event); }
};

TEST(KeyEventSourceTest, ReportsPressesAndReleasesOfKnownKeysInOrder) {
    Display* injector = XOpenDisplay(nullptr);
    ASSERT_NE(injector, nullptr);
    const auto key = [injector](unsigned long keysym, bool down) {
        XTestFakeKeyEvent(injector, XKeysymToKeycode(injector, keysym), down ? True : False, CurrentTime);
        XSync(injector, False);
    };
    XInputKeySource source;
    RecordingSink sink;
    ASSERT_TRUE(source.install(sink));

    key(XK_Control_L, true);
    // Held while the server says so, and the query loses no queued event.
    EXPECT_TRUE(source.isKeyDown(Key::LeftCtrl));
    key(XK_s, true);
    key(XK_s, false);
    key(XK_Control_L, false);
    EXPECT_FALSE(source.isKeyDown(Key::LeftCtrl));
    (void)QTest::qWaitFor([&] { return sink.events.size() >= 4; }, 10000);
    source.remove();
    XCloseDisplay(injector);

    const std::vector<std::pair<Key, bool>> expected = {
        {Key::LeftCtrl, true}, {Key::S, true}, {Key::S, false}, {Key::LeftCtrl, false}};
    ASSERT_EQ(sink.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sink.events[i].key, expected[i].first) << i;
        EXPECT_EQ(sink.events[i].down, expected[i].second) << i;
    }
}

} // namespace
} // namespace cursovia::qtx11
