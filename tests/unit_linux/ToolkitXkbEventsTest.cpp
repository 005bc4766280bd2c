// Qt's own connection on a real X server: a click must not wake the toolkit
// with a keyboard state event, while a modifier still must (Qt reads the
// modifiers from those events).
#include "ToolkitXkbEvents.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Last: Xlib's macros (None, Bool) would break the headers above.
#include <X11/XKBlib.h>
#include <X11/extensions/XKBproto.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace cursovia::qtx11 {
namespace {

// What changed, by XKB's state components, in each keyboard state event Qt receives.
class StateChangesSeen : public QAbstractNativeEventFilter {
public:
    explicit StateChangesSeen(int xkbEventBase) : eventBase_(xkbEventBase) {
        qApp->installNativeEventFilter(this);
    }
    ~StateChangesSeen() override { qApp->removeNativeEventFilter(this); }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const auto* event = static_cast<const xkbStateNotify*>(message);
        if (type == "xcb_generic_event_t" && (event->type & 0x7f) == eventBase_ && event->xkbType == XkbStateNotify)
            changes.push_back(event->changed);
        return false;
    }
    bool modifierSeen() const {
        for (const unsigned c : changes)
            if (c & XkbModifierStateMask) return true;
        return false;
    }
    bool buttonsSeen() const {
        for (const unsigned c : changes)
            if (c & XkbPointerButtonMask) return true;
        return false;
    }
    std::vector<unsigned> changes;

private:
    int eventBase_;
};

TEST(ToolkitXkbEventsTest, AClickNoLongerReachesTheToolkitAsAKeyboardStateChangeButAModifierStillDoes) {
    Display* injector = XOpenDisplay(nullptr);
    ASSERT_NE(injector, nullptr);
    int opcode = 0, eventBase = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    ASSERT_TRUE(XkbQueryExtension(injector, &opcode, &eventBase, &error, &major, &minor));
    const KeyCode shift = XKeysymToKeycode(injector, XK_Shift_L);
    // A click, then Shift: the server sends their events in this order, so
    // once Shift's has come, any the click caused has come before it.
    const auto clickThenShift = [&](const StateChangesSeen& seen) {
        XTestFakeButtonEvent(injector, 1, True, CurrentTime);
        XTestFakeButtonEvent(injector, 1, False, CurrentTime);
        XTestFakeKeyEvent(injector, shift, True, CurrentTime);
        XTestFakeKeyEvent(injector, shift, False, CurrentTime);
        XSync(injector, False);
        return QTest::qWaitFor([&] { return seen.modifierSeen(); }, 5000);
    };
    {
        // As Qt sets itself up, the click is reported: the check below can fail.
        const StateChangesSeen seen(eventBase);
        ASSERT_TRUE(clickThenShift(seen));
        ASSERT_TRUE(seen.buttonsSeen());
    }
    leaveButtonsOutOfToolkitKeyboardState(*qApp);
    const StateChangesSeen seen(eventBase);
    EXPECT_TRUE(clickThenShift(seen));
    EXPECT_FALSE(seen.buttonsSeen());
    XCloseDisplay(injector);
}

} // namespace
} // namespace cursovia::qtx11
