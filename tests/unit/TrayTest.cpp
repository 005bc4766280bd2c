#include "desktop/cSysTray.h"
#include "fakes/Fakes.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {
using namespace std::chrono_literals;
using Call = fakes::TrayCall;
using Kind = TrayActivity::Kind;

// Handles every event of the tray, logging it with its button's number.
struct RecordingHost {
    explicit RecordingHost(cSysTray& tray) {
        const auto logAs = [this](const char* name) {
            return [this, name](TrayButton b) { log.push_back(name + (" " + std::to_string(static_cast<int>(b)))); };
        };
        tray.MouseMove = [this] { log.push_back("move"); };
        tray.MouseDown = logAs("down");
        tray.MouseUp = logAs("up");
        tray.MouseDblClick = logAs("dbl");
    }
    std::vector<std::string> log;
};

struct Tray : ::testing::Test {
    fakes::RecordingTray shell;
    fakes::FakeEventLoop loop;
    cSysTray tray{shell, loop};
    RecordingHost host{tray};
};

TEST_F(Tray, ANewControlIsOutOfTheTrayWithItsDefaults) {
    EXPECT_FALSE(tray.InTray());
    EXPECT_EQ(tray.TrayTip(), "Telnet Server");
    EXPECT_EQ(tray.TrayIcon(), Picture::ProgramIcon);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Tray, SwitchingOnAddsTheIconWithTipAndPicture) {
    tray.setTrayTip("Cursovia");
    EXPECT_TRUE(shell.calls.empty()); // out of the tray: only stored
    tray.setInTray(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0], (Call{.kind = Call::Kind::Add, .tip = "Cursovia", .picture = Picture::ProgramIcon}));
    tray.setInTray(true); // the same value sends nothing
    EXPECT_EQ(shell.calls.size(), 1u);
    tray.setInTray(false);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1], Call{.kind = Call::Kind::Remove});
    EXPECT_FALSE(tray.iconAdded());
}

TEST_F(Tray, AnEmptyTipIsLeftOutOfTheAdd) {
    tray.setTrayTip("");
    tray.setInTray(true);
    EXPECT_EQ(shell.calls[0], (Call{.kind = Call::Kind::Add, .tip = "", .picture = Picture::ProgramIcon}));
}

TEST_F(Tray, ChangesWhileInTheTrayGoToTheShellAndBitmapsAreIgnored) {
    tray.setInTray(true);
    tray.setTrayTip("new tip");
    tray.setTrayIcon(Picture::Bitmap);
    tray.setTrayIcon(Picture::ProgramIcon);
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[1], (Call{.kind = Call::Kind::SetTip, .tip = "new tip"}));
    EXPECT_EQ(shell.calls[2], (Call{.kind = Call::Kind::SetPicture, .picture = Picture::ProgramIcon}));
    EXPECT_EQ(tray.TrayIcon(), Picture::ProgramIcon);
}

TEST_F(Tray, TheNotificationTableRaisesTheHostsEvents) {
    const struct {
        TrayActivity activity;
        const char* raised; // nullptr: nothing
    } cases[] = {
        {{Kind::PointerMoved}, "move"},
        {{Kind::ButtonDown, TrayButton::Left}, "down 1"},
        {{Kind::ButtonUp, TrayButton::Left}, "up 1"},
        {{Kind::DoubleClick, TrayButton::Left}, "dbl 1"},
        {{Kind::ButtonDown, TrayButton::Right}, "down 2"},
        {{Kind::ButtonUp, TrayButton::Right}, "up 2"},
        {{Kind::DoubleClick, TrayButton::Right}, "dbl 2"},
        {{Kind::BalloonClicked}, nullptr},
        {{Kind::BalloonClosed}, nullptr},
    };
    tray.setInTray(true);
    for (const auto& c : cases) {
        host.log.clear();
        shell.report(c.activity);
        EXPECT_EQ(host.log, c.raised ? std::vector<std::string>{c.raised} : std::vector<std::string>{})
            << static_cast<int>(c.activity.kind);
    }
}

TEST_F(Tray, ABalloonWaitsItsTimeOutThenClearsItself) {
    tray.setInTray(true);
    const MonotonicTime start = loop.now();
    tray.ShowBalloon("text", "title", 5, true);
    EXPECT_EQ(loop.now() - start, 5s);
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[1],
              (Call{.kind = Call::Kind::ShowBalloon, .title = "title", .text = "text", .timeoutMs = 5000}));
    EXPECT_EQ(shell.calls[2], Call{.kind = Call::Kind::ClearBalloon});
}

TEST_F(Tray, AClosedBalloonEndsTheWaitWithoutClearing) {
    tray.setInTray(true);
    for (Kind closed : {Kind::BalloonClosed, Kind::BalloonClicked}) {
        shell.calls.clear();
        loop.after(1s, [&] { shell.report({closed}); });
        const MonotonicTime start = loop.now();
        tray.ShowBalloon("t", "T", 5, false);
        EXPECT_EQ(loop.now() - start, 1s);
        EXPECT_EQ(shell.calls.size(), 1u);
    }
}

TEST_F(Tray, AShowOnceBalloonShowsOnlyOnce) {
    tray.ShowBalloon("t", "T", 5, true);
    const std::size_t calls = shell.calls.size();
    const MonotonicTime before = loop.now();
    tray.ShowBalloon("t", "T", 5, true);
    EXPECT_EQ(shell.calls.size(), calls);
    EXPECT_EQ(loop.now(), before);
    tray.ShowBalloon("t", "T", 0, false); // not counted, no wait
    EXPECT_EQ(shell.calls.size(), calls + 1);
    EXPECT_EQ(shell.calls.back(), (Call{.kind = Call::Kind::ShowBalloon, .title = "T", .text = "t", .timeoutMs = 0}));
}

TEST_F(Tray, AnOverflowingTimeOutIsRefusedBeforeAnythingIsShown) {
    EXPECT_THROW(tray.ShowBalloon("t", "T", 3000000, false), std::overflow_error);
    EXPECT_TRUE(shell.calls.empty());
}

TEST(TrayLifetime, DestroyingTheControlTakesTheIconOut) {
    fakes::RecordingTray shell;
    fakes::FakeEventLoop loop;
    {
        cSysTray tray{shell, loop};
        tray.setInTray(true);
    }
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1], Call{.kind = Call::Kind::Remove});
}

} // namespace
} // namespace cursovia
