#include "desktop/cSysTray.h"
#include "fakes/Fakes.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {
using namespace std::chrono_literals;

struct RecordingHost : TrayEvents {
    void MouseMove(std::int32_t id) override { log.push_back("move " + std::to_string(id)); }
    void MouseDown(std::int16_t b, std::int32_t id) override { log.push_back("down " + std::to_string(b) + " " + std::to_string(id)); }
    void MouseUp(std::int16_t b, std::int32_t id) override { log.push_back("up " + std::to_string(b) + " " + std::to_string(id)); }
    void MouseDblClick(std::int16_t b, std::int32_t id) override { log.push_back("dbl " + std::to_string(b) + " " + std::to_string(id)); }
    std::vector<std::string> log;
};

struct Tray : ::testing::Test {
    fakes::RecordingTray shell;
    fakes::FakeEventLoop loop;
    RecordingHost host;
    cSysTray tray{shell, loop, host};
};

TEST_F(Tray, ANewControlIsOutOfTheTrayWithItsDefaults) {
    EXPECT_FALSE(tray.InTray());
    EXPECT_EQ(tray.TrayTip(), "Telnet Server");
    EXPECT_EQ(tray.TrayIcon(), Picture::ProgramIcon);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Tray, SwitchingOnAddsTheIconWithTipPictureAndCallback) {
    tray.setTrayTip("Cursovia");
    EXPECT_TRUE(shell.calls.empty()); // out of the tray: only stored
    tray.setInTray(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].command, TrayCommand::Add);
    TrayRequest expected;
    expected.flags = tray_flag::Icon | tray_flag::Tip | tray_flag::Message;
    expected.icon = Picture::ProgramIcon;
    expected.tip = "Cursovia";
    expected.callbackMessage = 0x465;
    EXPECT_EQ(shell.calls[0].request, expected);
    tray.setInTray(true); // the same value sends nothing
    EXPECT_EQ(shell.calls.size(), 1u);
    tray.setInTray(false);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].command, TrayCommand::Delete);
    EXPECT_EQ(shell.calls[1].request, TrayRequest{});
    EXPECT_FALSE(tray.iconAdded());
}

TEST_F(Tray, AnEmptyTipIsLeftOutOfTheAdd) {
    tray.setTrayTip("");
    tray.setInTray(true);
    EXPECT_EQ(shell.calls[0].request.flags, tray_flag::Icon | tray_flag::Message);
}

TEST_F(Tray, ChangesWhileInTheTrayGoToTheShellAndBitmapsAreIgnored) {
    tray.setInTray(true);
    tray.setTrayTip("new tip");
    tray.setTrayIcon(Picture::Bitmap);
    tray.setTrayIcon(Picture::ProgramIcon);
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[1].request.flags, tray_flag::Tip);
    EXPECT_EQ(shell.calls[1].request.tip, "new tip");
    EXPECT_EQ(shell.calls[2].request.flags, tray_flag::Icon);
    EXPECT_EQ(tray.TrayIcon(), Picture::ProgramIcon);
}

TEST_F(Tray, TheNotificationTableRaisesTheHostsEvents) {
    const struct {
        std::uint32_t message;
        const char* raised; // nullptr: nothing
    } cases[] = {
        {0x200, "move 0"},  {0x201, "down 1 0"}, {0x202, "up 1 0"},   {0x203, "dbl 1 0"}, {0x204, "down 2 0"},
        {0x205, "up 2 0"},  {0x206, "dbl 2 0"},  {0x207, nullptr},    {0x208, nullptr},   {0x402, nullptr},
        {0x403, nullptr},   {0x404, nullptr},    {0x405, nullptr},
    };
    for (const auto& c : cases) {
        host.log.clear();
        tray.HandleTrayMessage(c.message, 0);
        EXPECT_EQ(host.log, c.raised ? std::vector<std::string>{c.raised} : std::vector<std::string>{}) << c.message;
    }
}

TEST_F(Tray, ABalloonWaitsItsTimeOutThenClearsItself) {
    tray.setInTray(true);
    const MonotonicTime start = loop.now();
    tray.ShowBalloon("text", "title", 5, true);
    EXPECT_EQ(loop.now() - start, 5s);
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[1].request.flags, tray_flag::Info);
    EXPECT_EQ(shell.calls[1].request.info, "text");
    EXPECT_EQ(shell.calls[1].request.infoTitle, "title");
    EXPECT_EQ(shell.calls[1].request.timeoutMs, 5000u);
    EXPECT_EQ(shell.calls[2].request.info, "");
    EXPECT_EQ(shell.calls[2].request.infoTitle, "");
    EXPECT_EQ(shell.calls[2].request.timeoutMs, 5000u);
}

TEST_F(Tray, AClosedBalloonEndsTheWaitWithoutClearing) {
    for (std::uint32_t closed : {0x403u, 0x404u, 0x405u}) {
        shell.calls.clear();
        loop.after(1s, [&] { tray.HandleTrayMessage(closed, 0); });
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
    EXPECT_EQ(shell.calls.back().request.timeoutMs, 0u);
}

TEST_F(Tray, AnOverflowingTimeOutIsRefusedBeforeAnythingIsShown) {
    EXPECT_THROW(tray.ShowBalloon("t", "T", 3000000, false), std::overflow_error);
    EXPECT_TRUE(shell.calls.empty());
}

TEST(TrayLifetime, DestroyingTheControlTakesTheIconOut) {
    fakes::RecordingTray shell;
    fakes::FakeEventLoop loop;
    RecordingHost host;
    {
        cSysTray tray{shell, loop, host};
        tray.setInTray(true);
    }
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].command, TrayCommand::Delete);
}

} // namespace
} // namespace cursovia
